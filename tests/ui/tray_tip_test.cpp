#include "ui/tray_tip.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelvane {
namespace {

// "双" in code page 936.
const Text kChineseChar = "\xCB\xAB";

Text Repeated(const Text& piece, std::size_t times) {
    Text out;
    for (std::size_t i = 0; i < times; ++i) out += piece;
    return out;
}

TEST(TrayTipText, KeepsAtMostTheFirstSixtyTwoBytes) {
    struct Case {
        std::string name;
        std::optional<Text> tip;
        Text expected;
    };
    const Text ascii61 = Repeated("a", 61);
    const std::vector<Case> cases = {
        {"no tip", std::nullopt, ""},
        {"empty tip", Text(), ""},
        {"short tip", Text("Zelvane"), "Zelvane"},
        {"61 bytes", ascii61, ascii61},
        {"62 bytes", ascii61 + "b", ascii61 + "b"},
        {"63 bytes", ascii61 + "bc", ascii61 + "b"},
        {"31 characters of two bytes and more", Repeated(kChineseChar, 40), Repeated(kChineseChar, 31)},
        // An odd start puts a lead byte at byte 62; the cut splits the character.
        {"cut inside a character", Repeated("a", 1) + Repeated(kChineseChar, 31),
         Repeated("a", 1) + Repeated(kChineseChar, 30) + "\xCB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TrayTipText(c.tip), c.expected);
    }
}

}  // namespace
}  // namespace zelvane
