#include <gtest/gtest.h>

#include "tests/e2e/harness_win32.h"

namespace zelvane::e2e {
namespace {

TEST(WindowE2eTest, StartsShowsItsWindowAndClosesWithZero) {
    ZelvaneRun run;
    ASSERT_TRUE(run.Started()) << run.Failure();
    EXPECT_TRUE(run.IsWindowVisible());
    EXPECT_EQ(run.WindowTitle(), L"Zelvane");
    run.PostClose();
    EXPECT_EQ(run.WaitForExit(), 0);
}

}  // namespace
}  // namespace zelvane::e2e
