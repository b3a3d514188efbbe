#include "core/text.h"

#include <gtest/gtest.h>

namespace zelvane {
namespace {

TEST(SplitOn, SlashExamples) {
    EXPECT_EQ(MemberCount(SplitOn("https://h/x", "/")), 4u);
    EXPECT_EQ(SplitOn("https://h/x", "/").Member(3), "h");
    EXPECT_EQ(SplitOn("a//b/", "/").Last(), "b");
}

}  // namespace
}  // namespace zelvane
