#include "core/startup.h"

namespace zelvane {

void StartUp(FileSystem& files, MainWindowHost& window) {
    const Path programDirectory = files.ProgramDirectory();
    // Start-up goes on whether Config existed, was made or could not be made.
    files.MakeDirectory(JoinPath(programDirectory, "\\Config"));
    window.CreateMainWindow();
    // The window was shown and its created event (which puts the tray icon in
    // place) has run; only now is it hidden, before any message is handled.
    if (files.PathExists(JoinPath(programDirectory, "\\Config\\AutoHide.dll"))) {
        window.HideMainWindow();
    }
}

}  // namespace zelvane
