# Writes a C++ source whose TrayIconImage() returns the bytes of INPUT, so the
# tray code and its tests (native ones too) use the very .ico of the resources.
#   cmake -DINPUT=zelvane.ico -DOUTPUT=tray_icon_image.cpp -P embed_bytes.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes a line (CMake's regular expressions have no {n}).
string(REPEAT "0x..," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp" "// Generated from resources/zelvane.ico by resources/embed_bytes.cmake.
#include <cstdint>
#include <iterator>

#include \"ui/tray_image.h\"

namespace zelvane {
namespace {

constexpr std::uint8_t kTrayIconImage[] = {
    ${bytes}
};

}  // namespace

Bytes TrayIconImage() { return Bytes(std::begin(kTrayIconImage), std::end(kTrayIconImage)); }

}  // namespace zelvane
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
