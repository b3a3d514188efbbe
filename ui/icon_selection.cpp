#include "ui/icon_selection.h"

#include <array>
#include <cstring>

namespace zelvane {
namespace {

using ByteSpan = std::span<const std::uint8_t>;

constexpr std::size_t kDirectoryBytes = 6;
constexpr std::size_t kEntryBytes = 16;
constexpr std::uint8_t kMinimumColourCount = 16;
// Far beyond any icon; keeps the size arithmetic below small and exact.
constexpr std::uint64_t kLargestSide = 4096;

std::uint16_t Word(ByteSpan bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t Dword(ByteSpan bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint32_t BigEndianDword(ByteSpan bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) << 24 |
           static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 8 | static_cast<std::uint32_t>(bytes[at + 3]);
}

struct Entry {
    std::uint8_t width;
    std::uint8_t colourCount;
    std::uint32_t size;
    std::uint32_t offset;
};

Entry EntryAt(ByteSpan ico, std::size_t index) {
    const std::size_t at = kDirectoryBytes + index * kEntryBytes;
    return Entry{ico[at], ico[at + 2], Dword(ico, at + 8), Dword(ico, at + 12)};
}

// The number of entries when `ico` begins with a whole icon or cursor directory.
std::size_t EntryCount(ByteSpan ico) {
    if (ico.size() < kDirectoryBytes) return 0;
    const std::uint16_t reserved = Word(ico, 0);
    const std::uint16_t type = Word(ico, 2);
    const std::size_t count = Word(ico, 4);
    if (reserved != 0 || (type != 1 && type != 2)) return 0;
    if (ico.size() < kDirectoryBytes + count * kEntryBytes) return 0;
    return count;
}

Entry ChosenEntry(ByteSpan ico, std::size_t count, std::uint8_t wantedWidth) {
    for (std::size_t i = 0; i < count; ++i) {
        const Entry entry = EntryAt(ico, i);
        if (entry.width == wantedWidth && entry.colourCount >= kMinimumColourCount) return entry;
    }
    return EntryAt(ico, count - 1);
}

bool IsPng(ByteSpan image) {
    static constexpr std::array<std::uint8_t, 8> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return image.size() >= signature.size() &&
           std::memcmp(image.data(), signature.data(), signature.size()) == 0;
}

// A PNG image carries no mask: its header's sizes are the picture's.
std::optional<IconImage> DescribePng(ByteSpan image) {
    constexpr std::size_t kHeaderChunkEnd = 8 + 4 + 4 + 13 + 4;  // signature, IHDR, its CRC
    if (image.size() < kHeaderChunkEnd || std::memcmp(image.data() + 12, "IHDR", 4) != 0) {
        return std::nullopt;
    }
    const std::uint32_t width = BigEndianDword(image, 16);
    const std::uint32_t height = BigEndianDword(image, 20);
    if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide) return std::nullopt;
    IconImage described;
    described.width = static_cast<std::int32_t>(width);
    described.height = static_cast<std::int32_t>(height);
    described.png = true;
    return described;
}

struct BitmapHeader {
    std::uint32_t headerSize;
    std::int64_t width;
    std::int64_t height;  // picture and mask together
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t coloursUsed;
};

std::optional<BitmapHeader> ReadBitmapHeader(ByteSpan image) {
    constexpr std::uint32_t kCoreHeader = 12;
    constexpr std::uint32_t kInfoHeader = 40;
    if (image.size() < 4) return std::nullopt;
    const std::uint32_t headerSize = Dword(image, 0);
    if (headerSize > image.size()) return std::nullopt;
    if (headerSize == kCoreHeader) {
        return BitmapHeader{headerSize, Word(image, 4), Word(image, 6), Word(image, 10), 0, 0};
    }
    if (headerSize < kInfoHeader) return std::nullopt;
    return BitmapHeader{headerSize,
                        static_cast<std::int32_t>(Dword(image, 4)),
                        static_cast<std::int32_t>(Dword(image, 8)),
                        Word(image, 14),
                        Dword(image, 16),
                        Dword(image, 32)};
}

// Bytes of the colour table, or of the channel masks that follow a 40-byte
// header when the pixels are bit fields.
std::optional<std::uint64_t> ColourTableBytes(const BitmapHeader& header) {
    constexpr std::uint32_t kRgb = 0;
    constexpr std::uint32_t kBitFields = 3;
    constexpr std::uint32_t kMostColours = 256;
    const bool core = header.headerSize == 12;
    if (header.compression == kBitFields) {
        if (header.bitCount != 16 && header.bitCount != 32) return std::nullopt;
    } else if (header.compression != kRgb) {
        return std::nullopt;
    }
    if (header.coloursUsed > kMostColours) return std::nullopt;
    std::uint64_t colours = header.coloursUsed;
    if (colours == 0 && header.bitCount <= 8) colours = std::uint64_t{1} << header.bitCount;
    const std::uint64_t masks = header.compression == kBitFields && header.headerSize == 40 ? 12 : 0;
    return colours * (core ? 3 : 4) + masks;
}

std::uint64_t RowBytes(std::uint64_t width, std::uint64_t bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

// A bitmap image is its header, colour table, colour pixels and a 1-bit mask,
// all of which must lie inside the image's bytes.
std::optional<IconImage> DescribeBitmap(ByteSpan image) {
    const std::optional<BitmapHeader> header = ReadBitmapHeader(image);
    if (!header) return std::nullopt;
    const std::uint16_t bits = header->bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
    if (header->width <= 0 || header->height < 2) return std::nullopt;
    const auto width = static_cast<std::uint64_t>(header->width);
    const auto rows = static_cast<std::uint64_t>(header->height / 2);
    if (width > kLargestSide || rows > kLargestSide) return std::nullopt;
    const std::optional<std::uint64_t> table = ColourTableBytes(*header);
    if (!table) return std::nullopt;
    const std::uint64_t needed =
        header->headerSize + *table + RowBytes(width, bits) * rows + RowBytes(width, 1) * rows;
    if (needed > image.size()) return std::nullopt;
    IconImage described;
    described.width = static_cast<std::int32_t>(width);
    described.height = static_cast<std::int32_t>(rows);
    described.bitCount = bits;
    return described;
}

}  // namespace

std::optional<IconImage> SelectIconImage(ByteSpan ico, std::uint8_t wantedWidth) {
    const std::size_t count = EntryCount(ico);
    if (count == 0) return std::nullopt;
    const Entry entry = ChosenEntry(ico, count, wantedWidth);
    if (entry.size == 0 || entry.offset > ico.size() || entry.size > ico.size() - entry.offset) {
        return std::nullopt;
    }
    const ByteSpan image = ico.subspan(entry.offset, entry.size);
    std::optional<IconImage> described = IsPng(image) ? DescribePng(image) : DescribeBitmap(image);
    if (!described) return std::nullopt;
    described->offset = entry.offset;
    described->size = entry.size;
    return described;
}

}  // namespace zelvane
