#include "settings/shortcuts_win32.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "core/encoding_win32.h"
#include "core/handles_win32.h"

namespace zelvane::win32 {

Path ShellShortcuts::StartupFolder() const {
    wchar_t buffer[MAX_PATH] = {};
    // The folder is not created: a user without one gets no shortcut.
    if (!::SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_STARTUP, FALSE)) return Path{};
    std::wstring folder(buffer);
    if (folder.empty()) return Path{};
    if (folder.back() != L'\\') folder.push_back(L'\\');
    return PathFromWide(folder);
}

bool ShellShortcuts::CreateShortcut(const Path& shortcut, const Path& target, const Text& description) {
    ComPtr<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(link.Receive())))) {
        return false;
    }
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Receive())))) return false;

    // Only Save decides the result; a link with a bad target is still written.
    const std::wstring targetPath = WidePath(target);
    const std::wstring descriptionText = WideFromText(description);
    link->SetPath(targetPath.c_str());
    link->SetShowCmd(SW_SHOW);
    link->SetDescription(descriptionText.c_str());

    const std::wstring shortcutPath = WidePath(shortcut);
    return SUCCEEDED(file->Save(shortcutPath.c_str(), TRUE));
}

}  // namespace zelvane::win32
