#include "ui/icon_selection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "ui/tray_image.h"

namespace zelvane {
namespace {

using Bytes8 = std::vector<std::uint8_t>;

void PutWord(Bytes8& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutDword(Bytes8& out, std::size_t at, std::uint32_t value) {
    PutWord(out, at, value & 0xFFFF);
    PutWord(out, at + 2, value >> 16);
}

std::size_t Rows(std::uint32_t width, std::uint32_t bits) { return (width * bits + 31) / 32 * 4; }

// A bottom-up bitmap image with its mask, as an .ico holds it.
Bytes8 BitmapImage(std::uint32_t side, std::uint16_t bits = 32, std::uint32_t compression = 0) {
    const std::size_t table = bits <= 8 ? (std::size_t{1} << bits) * 4 : (compression == 3 ? 12 : 0);
    Bytes8 image(40 + table + (Rows(side, bits) + Rows(side, 1)) * side, 0);
    PutDword(image, 0, 40);
    PutDword(image, 4, side);
    PutDword(image, 8, side * 2);
    PutWord(image, 12, 1);
    PutWord(image, 14, bits);
    PutDword(image, 16, compression);
    return image;
}

Bytes8 PngImage(std::uint32_t width, std::uint32_t height) {
    static constexpr std::uint8_t start[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                             0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    Bytes8 image(33 + 12, 0);  // IHDR with its CRC, then room for an IEND chunk
    for (std::size_t i = 0; i < std::size(start); ++i) image[i] = start[i];
    image[16] = static_cast<std::uint8_t>(width >> 24);
    image[17] = static_cast<std::uint8_t>(width >> 16);
    image[18] = static_cast<std::uint8_t>(width >> 8);
    image[19] = static_cast<std::uint8_t>(width);
    image[23] = static_cast<std::uint8_t>(height);
    image[24] = 8;
    image[25] = 6;
    return image;
}

struct Entry {
    std::uint8_t width;
    std::uint8_t colours;
    Bytes8 image;
};

// An .ico file whose directory lists `entries` in order, images after it.
Bytes8 Ico(const std::vector<Entry>& entries, std::uint16_t type = 1) {
    Bytes8 ico(6 + 16 * entries.size(), 0);
    PutWord(ico, 2, type);
    PutWord(ico, 4, static_cast<std::uint32_t>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t at = 6 + 16 * i;
        ico[at] = entries[i].width;
        ico[at + 1] = entries[i].width;
        ico[at + 2] = entries[i].colours;
        PutWord(ico, at + 4, 1);
        PutWord(ico, at + 6, 32);
        PutDword(ico, at + 8, static_cast<std::uint32_t>(entries[i].image.size()));
        PutDword(ico, at + 12, static_cast<std::uint32_t>(ico.size()));
        ico.insert(ico.end(), entries[i].image.begin(), entries[i].image.end());
    }
    return ico;
}

std::size_t EntryOffset(const Bytes8& ico, std::size_t index) {
    const std::size_t at = 6 + 16 * index + 12;
    std::size_t offset = 0;
    for (std::size_t i = 4; i-- > 0;) offset = offset << 8 | ico[at + i];
    return offset;
}

TEST(SelectIconImage, TakesTheSixteenPixelImageOfTheProgramsIcon) {
    const Bytes8 ico = TrayIconImage();
    for (const std::uint8_t wanted : {std::uint8_t{16}, std::uint8_t{32}}) {
        SCOPED_TRACE(static_cast<int>(wanted));
        const std::optional<IconImage> image = SelectIconImage(ico, wanted);
        ASSERT_TRUE(image.has_value());
        // Every entry has a colour count of 0, so the last one is taken.
        EXPECT_EQ(image->offset, EntryOffset(ico, 4));
        EXPECT_EQ(image->offset + image->size, ico.size());
        EXPECT_EQ(image->width, 16);
        EXPECT_EQ(image->height, 16);
        EXPECT_EQ(image->bitCount, 32);
        EXPECT_FALSE(image->png);
    }
}

TEST(SelectIconImage, ProgramsIconListsFiveThirtyTwoBitSizesWithoutColourCount) {
    const Bytes8 ico = TrayIconImage();
    ASSERT_GE(ico.size(), 6u + 5 * 16);
    EXPECT_EQ(ico[0] | ico[1] << 8, 0);
    EXPECT_EQ(ico[2] | ico[3] << 8, 1);
    EXPECT_EQ(ico[4] | ico[5] << 8, 5);
    const int sizes[] = {128, 48, 32, 24, 16};
    for (std::size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const std::size_t at = 6 + 16 * i;
        EXPECT_EQ(ico[at], sizes[i]);
        EXPECT_EQ(ico[at + 1], sizes[i]);
        EXPECT_EQ(ico[at + 2], 0);
        EXPECT_EQ(ico[at + 6] | ico[at + 7] << 8, 32);
        // Each image is a bitmap (not PNG) of its entry's size.
        const std::size_t image = EntryOffset(ico, i);
        EXPECT_EQ(ico[image], 40);
        EXPECT_EQ(ico[image + 4], sizes[i]);
        EXPECT_EQ(ico[image + 8] | ico[image + 9] << 8, sizes[i] * 2);
    }
}

struct ChoiceCase {
    std::string name;
    std::vector<Entry> entries;
    std::uint8_t wanted;
    std::size_t chosen;  // index of the entry expected
};

TEST(SelectIconImage, ChoosesTheFirstEntryOfTheWidthWithSixteenColoursOrMoreElseTheLast) {
    const std::vector<ChoiceCase> cases = {
        {"first qualifying entry", {{32, 0, BitmapImage(32)}, {16, 16, BitmapImage(16)},
                                    {16, 255, BitmapImage(16)}, {48, 0, BitmapImage(48)}}, 16, 1},
        {"too few colours", {{16, 15, BitmapImage(16)}, {48, 0, BitmapImage(48)}}, 16, 1},
        {"other width", {{32, 16, BitmapImage(32)}, {24, 0, BitmapImage(24)}}, 16, 1},
        {"wanted 32", {{16, 16, BitmapImage(16)}, {32, 16, BitmapImage(32)}, {24, 0, BitmapImage(24)}}, 32, 1},
        {"one entry", {{48, 0, BitmapImage(48)}}, 16, 0},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes8 ico = Ico(c.entries);
        const std::optional<IconImage> image = SelectIconImage(ico, c.wanted);
        ASSERT_TRUE(image.has_value());
        EXPECT_EQ(image->offset, EntryOffset(ico, c.chosen));
        EXPECT_EQ(image->size, c.entries[c.chosen].image.size());
        EXPECT_EQ(image->width, c.entries[c.chosen].width);
    }
}

TEST(SelectIconImage, ReadsSizesFromTheImagesOwnHeader) {
    // The directory says 16, the bitmap says 20: the bitmap decides.
    Bytes8 ico = Ico({{16, 0, BitmapImage(20, 8)}});
    std::optional<IconImage> image = SelectIconImage(ico, 16);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, 20);
    EXPECT_EQ(image->height, 20);
    EXPECT_EQ(image->bitCount, 8);

    // A cursor file is accepted as well.
    image = SelectIconImage(Ico({{16, 0, BitmapImage(16, 4)}}, 2), 16);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->bitCount, 4);

    // 32-bit pixels as bit fields carry three masks after the header.
    image = SelectIconImage(Ico({{16, 0, BitmapImage(16, 32, 3)}}), 16);
    ASSERT_TRUE(image.has_value());

    // A PNG image has no mask in its height.
    image = SelectIconImage(Ico({{0, 0, PngImage(256, 40)}}), 16);
    ASSERT_TRUE(image.has_value());
    EXPECT_TRUE(image->png);
    EXPECT_EQ(image->width, 256);
    EXPECT_EQ(image->height, 40);
    EXPECT_EQ(image->bitCount, 0);
}

struct BadCase {
    std::string name;
    Bytes8 ico;
};

Bytes8 Edited(Bytes8 bytes, std::size_t at, std::uint32_t value, bool dword = false) {
    if (dword) {
        PutDword(bytes, at, value);
    } else {
        PutWord(bytes, at, value);
    }
    return bytes;
}

Bytes8 Shortened(Bytes8 bytes, std::size_t by) {
    bytes.resize(bytes.size() - by);
    return bytes;
}

TEST(SelectIconImage, GivesNothingForMalformedFiles) {
    const Bytes8 good = Ico({{16, 0, BitmapImage(16)}});
    const std::size_t image = EntryOffset(good, 0);
    const std::size_t entry = 6;
    const std::vector<BadCase> cases = {
        {"empty", {}},
        {"shorter than a directory", {0, 0, 1, 0, 1}},
        {"reserved word set", Edited(good, 0, 1)},
        {"type 0", Edited(good, 2, 0)},
        {"type 3", Edited(good, 2, 3)},
        {"no entries", Edited(good, 4, 0)},
        {"more entries than bytes", Edited(good, 4, 3)},
        {"directory cut inside its entry", Bytes8(good.begin(), good.begin() + 20)},
        {"image size zero", Edited(good, entry + 8, 0, true)},
        {"image past the end", Edited(good, entry + 8, static_cast<std::uint32_t>(good.size()), true)},
        {"offset past the end", Edited(good, entry + 12, static_cast<std::uint32_t>(good.size() + 1), true)},
        {"offset and size wrap around", Edited(Edited(good, entry + 12, 0xFFFFFFF0u, true), entry + 8, 0x20, true)},
        {"file cut by one byte", Shortened(good, 1)},
        {"header size beyond the image", Edited(good, image, 0x10000, true)},
        {"unknown header size", Edited(good, image, 20, true)},
        {"width zero", Edited(good, image + 4, 0, true)},
        {"negative width", Edited(good, image + 4, 0xFFFFFFF0u, true)},
        {"height below two", Edited(good, image + 8, 1, true)},
        {"top-down height", Edited(good, image + 8, 0xFFFFFFE0u, true)},
        {"huge width", Edited(good, image + 4, 0x7FFFFFFF, true)},
        {"bit count 7", Edited(good, image + 14, 7)},
        {"run-length compression", Edited(good, image + 16, 1, true)},
        {"colour table larger than 256", Edited(good, image + 32, 257, true)},
        {"bit fields without room for masks", Edited(good, image + 16, 3, true)},
        {"pixels claim more rows than present", Edited(good, image + 8, 34, true)},
        {"PNG cut inside its header", Ico({{16, 0, Shortened(PngImage(16, 16), 30)}})},
        {"PNG of width zero", Ico({{16, 0, PngImage(0, 16)}})},
        {"bitmap without mask", Ico({{16, 0, Shortened(BitmapImage(16), 64)}})},
        // The last entry is taken and is broken; the good one is not looked at.
        {"broken last entry", Ico({{48, 0, BitmapImage(48)}, {16, 0, Bytes8(10, 0xAB)}})},
    };
    ASSERT_TRUE(SelectIconImage(good, 16).has_value());
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(SelectIconImage(c.ico, 16).has_value());
    }
}

// Whatever the bytes, the rule reads only inside them and a chosen range lies
// inside them. Prefixes that end near a boundary of the file's structure are
// copied to buffers of their own, so AddressSanitizer sees any read past them.
TEST(SelectIconImage, StaysInsideTruncatedAndRandomBytes) {
    const Bytes8 ico = TrayIconImage();
    const auto checkInside = [](std::span<const std::uint8_t> bytes) {
        const std::optional<IconImage> image = SelectIconImage(bytes, 16);
        if (image) {
            EXPECT_LE(image->offset, bytes.size());
            EXPECT_LE(image->size, bytes.size() - image->offset);
        }
        return image.has_value();
    };
    std::vector<std::size_t> boundaries{0};
    for (std::size_t i = 0; i < 5; ++i) {
        const std::size_t start = EntryOffset(ico, i);
        boundaries.push_back(start);
        boundaries.push_back(i + 1 < 5 ? EntryOffset(ico, i + 1) : ico.size());
    }
    const auto nearBoundary = [&](std::size_t length) {
        for (const std::size_t boundary : boundaries) {
            if (length + 64 >= boundary && length <= boundary + 64) return true;
        }
        return false;
    };
    std::size_t accepted = 0;
    for (std::size_t length = 0; length <= ico.size(); ++length) {
        const std::span<const std::uint8_t> prefix(ico.data(), length);
        const bool chosen = nearBoundary(length) ? checkInside(Bytes8(prefix.begin(), prefix.end()))
                                                 : checkInside(prefix);
        if (chosen) ++accepted;
    }
    EXPECT_EQ(accepted, 1u);  // only the whole file

    std::mt19937 random(12345);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 2000; ++round) {
        Bytes8 bytes = Ico({{16, 16, BitmapImage(16)}, {32, 0, BitmapImage(32)}});
        // Garble a few bytes of the directory and the first image's header.
        for (int i = 0; i < 4; ++i) {
            const auto at = static_cast<std::size_t>(byte(random)) % 80;
            bytes[at] = static_cast<std::uint8_t>(byte(random));
        }
        checkInside(bytes);
    }
}

}  // namespace
}  // namespace zelvane
