// The end of the process. Every way out runs the same steps in the same order:
// event delivery stops, the at-exit routine releases the program state, OLE is
// released, the process ends. A failed allocation drops the at-exit routine.
#pragma once

#include "core/lifetime.h"

namespace zelvane {

// The platform's side of each step.
class TeardownSteps {
public:
    virtual ~TeardownSteps() = default;
    virtual void StopEventDelivery() = 0;
    virtual void ReleaseState() = 0;  // the at-exit routine
    virtual void ReleaseOle() = 0;    // does nothing when OLE was not initialised
    // Ends the process with this code; the Windows implementation never returns.
    virtual void EndProcess(int code) = 0;
};

class Teardown : public Lifetime {
public:
    explicit Teardown(TeardownSteps& steps) : steps_(steps) {}

    // Stops events, releases the state (unless the at-exit routine was
    // dropped) and OLE. Runs once; later calls do nothing, so a nested way
    // out cannot release anything twice.
    void Run();
    // Run, then end the process with this code.
    void ExitProgram(int code) override;
    // After a failed allocation: the state is not released, the rest of the
    // teardown runs, and the process ends with -1.
    void FailAllocation();

private:
    TeardownSteps& steps_;
    bool ran_ = false;
    bool releaseStateAtExit_ = true;
};

}  // namespace zelvane
