#include "core/teardown.h"

namespace zelvane {

void Teardown::Run() {
    if (ran_) return;
    ran_ = true;
    // Delivery stops first so that no handler can use the state being released.
    steps_.StopEventDelivery();
    if (releaseStateAtExit_) steps_.ReleaseState();
    steps_.ReleaseOle();
}

void Teardown::ExitProgram(int code) {
    Run();
    steps_.EndProcess(code);
}

void Teardown::FailAllocation() {
    releaseStateAtExit_ = false;
    ExitProgram(-1);
}

}  // namespace zelvane
