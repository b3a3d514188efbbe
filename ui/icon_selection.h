// Which image of an .ico file becomes the tray icon, and the facts about it
// that making an icon handle needs. Nothing here trusts the file: every
// offset and size is checked against the bytes at hand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zelvane {

struct IconImage {
    std::size_t offset = 0;  // the image's bytes inside the .ico
    std::size_t size = 0;
    std::int32_t width = 0;   // from the image's own header
    std::int32_t height = 0;  // one picture's height: a bitmap header counts the mask too
    std::uint16_t bitCount = 0;  // bits per pixel of a bitmap; 0 for a PNG image
    bool png = false;

    std::span<const std::uint8_t> BytesIn(std::span<const std::uint8_t> ico) const {
        return ico.subspan(offset, size);
    }
};

// The first directory entry whose width byte is `wantedWidth` and whose colour
// count byte is 16 or more, else the last entry. Nothing when the directory is
// not one of an icon or cursor, or the chosen image does not lie wholly inside
// the bytes, or its header is not a well-formed bitmap or PNG header.
std::optional<IconImage> SelectIconImage(std::span<const std::uint8_t> ico,
                                         std::uint8_t wantedWidth);

}  // namespace zelvane
