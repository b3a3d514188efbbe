// The start-up routine: Config beside the executable, the main window, and
// hiding it again when the program is to start hidden.
#pragma once

#include "core/file_system.h"

namespace zelvane {

// What StartUp needs of the main window.
class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;
    // Creates the window and its controls, runs its created event and shows
    // it. Whether this succeeded is not looked at.
    virtual void CreateMainWindow() = 0;
    // Sets the window's visible property to false.
    virtual void HideMainWindow() = 0;
};

void StartUp(FileSystem& files, MainWindowHost& window);

}  // namespace zelvane
