#include "core/teardown.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelvane {
namespace {

class RecordingSteps : public TeardownSteps {
public:
    void StopEventDelivery() override { log.push_back("stop events"); }
    void ReleaseState() override { log.push_back("release state"); }
    void ReleaseOle() override { log.push_back("release OLE"); }
    void EndProcess(int code) override { log.push_back("end " + std::to_string(code)); }

    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST(TeardownTest, OrdinaryEndStopsEventsBeforeTheStateIsReleased) {
    RecordingSteps steps;
    Teardown teardown{steps};

    teardown.ExitProgram(0);

    EXPECT_EQ(steps.log, (Log{"stop events", "release state", "release OLE", "end 0"}));
}

TEST(TeardownTest, LoopEndRunsTheStepsWithoutEndingTheProcess) {
    RecordingSteps steps;
    Teardown teardown{steps};

    teardown.Run();

    EXPECT_EQ(steps.log, (Log{"stop events", "release state", "release OLE"}));
}

TEST(TeardownTest, StepsRunOnceWhicheverWayOutComesSecond) {
    RecordingSteps steps;
    Teardown teardown{steps};

    teardown.Run();
    teardown.ExitProgram(0);
    teardown.Run();

    EXPECT_EQ(steps.log, (Log{"stop events", "release state", "release OLE", "end 0"}));
}

TEST(TeardownTest, FailedAllocationSkipsTheStateAndEndsWithMinusOne) {
    RecordingSteps steps;
    Teardown teardown{steps};

    teardown.FailAllocation();

    EXPECT_EQ(steps.log, (Log{"stop events", "release OLE", "end -1"}));
}

}  // namespace
}  // namespace zelvane
