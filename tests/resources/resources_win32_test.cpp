// The resources as the running executable sees them: this test program links
// the same resource object as zelvane.exe.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <string_view>
#include <vector>

#include "core/handles_win32.h"
#include "ui/tray_image.h"

namespace zelvane {
namespace {

std::string_view ResourceBytes(const wchar_t* name, const wchar_t* type) {
    HRSRC found = ::FindResourceW(nullptr, name, type);
    if (found == nullptr) return {};
    HGLOBAL loaded = ::LoadResource(nullptr, found);
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr) return {};
    return {static_cast<const char*>(data), ::SizeofResource(nullptr, found)};
}

std::uint32_t Little(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

TEST(Resources, IconGroupHoldsTheFiveImagesOfTheTrayIcon) {
    const std::string_view group = ResourceBytes(L"DEFAULT_ICON", RT_GROUP_ICON);
    ASSERT_EQ(group.size(), 6u + 5 * 14);
    EXPECT_EQ(Little(group, 0, 2), 0u);
    EXPECT_EQ(Little(group, 2, 2), 1u);
    EXPECT_EQ(Little(group, 4, 2), 5u);
    const Bytes ico = TrayIconImage();
    const std::string_view file(reinterpret_cast<const char*>(ico.data()), ico.size());
    const std::uint32_t sizes[] = {128, 48, 32, 24, 16};
    for (std::size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(sizes[i]);
        const std::size_t entry = 6 + 14 * i;
        EXPECT_EQ(Little(group, entry, 1), sizes[i]);
        EXPECT_EQ(Little(group, entry + 1, 1), sizes[i]);
        EXPECT_EQ(Little(group, entry + 2, 1), 0u);   // colour count
        EXPECT_EQ(Little(group, entry + 6, 2), 32u);  // bits per pixel
        const auto id = static_cast<WORD>(Little(group, entry + 12, 2));
        const std::string_view image = ResourceBytes(MAKEINTRESOURCEW(id), RT_ICON);
        const std::size_t fileEntry = 6 + 16 * i;
        EXPECT_EQ(image, file.substr(Little(file, fileEntry + 12, 4), Little(file, fileEntry + 8, 4)));
    }
}

TEST(Resources, IconGroupLoadsInEachSize) {
    for (const int size : {16, 24, 32, 48, 128}) {
        SCOPED_TRACE(size);
        const win32::OwnedIcon icon(static_cast<HICON>(
            ::LoadImageW(::GetModuleHandleW(nullptr), L"DEFAULT_ICON", IMAGE_ICON, size, size, 0)));
        ASSERT_TRUE(icon);
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon.Get(), &info));
        const win32::OwnedGdiObject colour(info.hbmColor);
        const win32::OwnedGdiObject mask(info.hbmMask);
        BITMAP bitmap{};
        ASSERT_NE(::GetObjectW(colour.Get(), sizeof bitmap, &bitmap), 0);
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmHeight, size);
    }
}

class VersionRecord : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t path[MAX_PATH] = {};
        ASSERT_GT(::GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
        const DWORD size = ::GetFileVersionInfoSizeW(path, nullptr);
        ASSERT_GT(size, 0u);
        record_.resize(size);
        ASSERT_TRUE(::GetFileVersionInfoW(path, 0, size, record_.data()));
    }

    std::wstring String(const wchar_t* name) {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
        if (!::VerQueryValueW(record_.data(), key.c_str(), &value, &length) || length == 0) return L"(none)";
        return static_cast<const wchar_t*>(value);
    }

    std::vector<char> record_;
};

TEST_F(VersionRecord, SaysVersionOneInChineseWithTheProductsName) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(record_.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    ASSERT_TRUE(::VerQueryValueW(record_.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    const auto* translation = static_cast<const WORD*>(value);
    EXPECT_EQ(translation[0], 0x0804);  // Chinese (PRC)
    EXPECT_EQ(translation[1], 1200);    // Unicode strings

    for (const wchar_t* name : {L"FileDescription", L"ProductName", L"Comments"}) {
        EXPECT_EQ(String(name), L"Zelvane") << name;
    }
    EXPECT_EQ(String(L"FileVersion"), L"1.0.0.0");
    EXPECT_EQ(String(L"ProductVersion"), L"1.0.0.0");
}

TEST(Resources, ManifestActivatesCommonControlsSix) {
    const std::string_view manifest = ResourceBytes(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string_view::npos);
    EXPECT_EQ(manifest.find("requestedExecutionLevel"), std::string_view::npos);
    EXPECT_EQ(manifest.find("dpiAware"), std::string_view::npos);

    // The proof: the process's comctl32 is the side-by-side version 6. (Wine's
    // DllGetVersion says 5 even for that one, so the module's place decides.)
    HMODULE controls = ::LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(controls, nullptr);
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(controls, path, MAX_PATH), 0u);
    std::wstring place(path);
    for (wchar_t& c : place) c = static_cast<wchar_t>(::towlower(c));
    EXPECT_NE(place.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.0."), std::wstring::npos)
        << "comctl32 loaded from elsewhere";
    ::FreeLibrary(controls);
}

}  // namespace
}  // namespace zelvane
