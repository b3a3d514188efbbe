// Reads a .lnk back the way the shell would start it. Needs COM initialised.
// The target comes from the item list that the shell starts the link with
// (Wine's GetPath squeezes it through the ANSI code page), and the show
// command from the file's header at 0x3C (Wine's Load drops it).
#pragma once

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "core/handles_win32.h"

namespace zelvane::testing {

struct ShellLinkContents {
    std::wstring target;
    std::wstring description;
    std::wstring arguments;
    int showCommand = -1;
};

inline int ShowCommandInLinkHeader(const std::wstring& file) {
    win32::OwnedFile handle(
        ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!handle) return -1;
    unsigned char header[0x4C] = {};
    DWORD read = 0;
    if (!::ReadFile(handle.Get(), header, sizeof header, &read, nullptr) || read != sizeof header) return -1;
    return header[0x3C] | header[0x3D] << 8 | header[0x3E] << 16 | header[0x3F] << 24;
}

inline bool ReadShellLink(const std::wstring& file, ShellLinkContents& out) {
    win32::ComPtr<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(link.Receive())))) {
        return false;
    }
    win32::ComPtr<IPersistFile> persist;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(persist.Receive())))) return false;
    if (FAILED(persist->Load(file.c_str(), STGM_READ))) return false;

    PIDLIST_ABSOLUTE items = nullptr;
    if (FAILED(link->GetIDList(&items)) || items == nullptr) return false;
    wchar_t buffer[MAX_PATH * 2] = {};
    const bool havePath = ::SHGetPathFromIDListW(items, buffer) != FALSE;
    ::CoTaskMemFree(items);
    if (!havePath) return false;
    out.target = buffer;
    buffer[0] = L'\0';
    link->GetDescription(buffer, MAX_PATH * 2);
    out.description = buffer;
    buffer[0] = L'\0';
    link->GetArguments(buffer, MAX_PATH * 2);
    out.arguments = buffer;
    out.showCommand = ShowCommandInLinkHeader(file);
    return true;
}

}  // namespace zelvane::testing
