// Ending the program from a handler.
#pragma once

namespace zelvane {

class Lifetime {
public:
    virtual ~Lifetime() = default;
    // Runs the teardown with this exit code and ends the process; the Windows
    // implementation never returns.
    virtual void ExitProgram(int code) = 0;
};

}  // namespace zelvane
