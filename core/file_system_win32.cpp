#include "core/file_system_win32.h"

#include <algorithm>
#include <limits>

#include "core/encoding_win32.h"
#include "core/handles_win32.h"

namespace zelvane::win32 {
namespace {

// The largest count one ReadFile or WriteFile call takes.
constexpr std::size_t kLargestChunk = std::numeric_limits<DWORD>::max();

DWORD ChunkOf(std::size_t remaining) {
    return static_cast<DWORD>(std::min(remaining, kLargestChunk));
}

// Other readers may share the file while it is read; nobody may write it.
OwnedFile OpenForReading(const std::wstring& path) {
    return OwnedFile(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Created or truncated, and held exclusively while it is written.
OwnedFile OpenForWriting(const std::wstring& path) {
    return OwnedFile(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool ReadExactly(HANDLE file, std::uint8_t* data, std::size_t length) {
    std::size_t done = 0;
    while (done < length) {
        DWORD got = 0;
        if (!::ReadFile(file, data + done, ChunkOf(length - done), &got, nullptr)) return false;
        if (got == 0) return false;  // shorter than its length said
        done += got;
    }
    return true;
}

bool WriteExactly(HANDLE file, const std::uint8_t* data, std::size_t length) {
    std::size_t done = 0;
    while (done < length) {
        DWORD put = 0;
        if (!::WriteFile(file, data + done, ChunkOf(length - done), &put, nullptr)) return false;
        if (put == 0) return false;
        done += put;
    }
    return true;
}

}  // namespace

std::wstring ModuleFileName(DWORD initialCapacity) {
    constexpr DWORD kLongestPath = 32768;  // what the wide file functions take
    std::wstring buffer;
    for (DWORD capacity = std::max<DWORD>(initialCapacity, 1);;
         capacity = std::min(capacity * 2, kLongestPath)) {
        buffer.assign(capacity, L'\0');
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), capacity);
        if (length == 0) return {};
        // A result that fills the buffer may have been cut short.
        if (length < capacity) {
            buffer.resize(length);
            return buffer;
        }
        if (capacity == kLongestPath) return {};
    }
}

ModulePathParts SplitModulePath(std::wstring_view fullPath) {
    const std::size_t backslash = fullPath.rfind(L'\\');
    if (backslash == std::wstring_view::npos) return {Path{}, PathFromWide(fullPath)};
    return {PathFromWide(fullPath.substr(0, backslash)),
            PathFromWide(fullPath.substr(backslash + 1))};
}

Win32FileSystem::Win32FileSystem() : module_(SplitModulePath(ModuleFileName())) {}

bool Win32FileSystem::MakeDirectory(const Path& path) {
    return ::CreateDirectoryW(WidePath(path).c_str(), nullptr) != 0;
}

bool Win32FileSystem::PathExists(const Path& path) const {
    if (path.utf8.empty()) return false;
    WIN32_FIND_DATAW found;
    const OwnedFind search(::FindFirstFileW(WidePath(path).c_str(), &found));
    return static_cast<bool>(search);
}

Bytes Win32FileSystem::ReadWholeFile(const Path& path) const {
    if (path.utf8.empty()) return {};
    const OwnedFile file = OpenForReading(WidePath(path));
    if (!file) return {};
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0) return {};
    if (static_cast<std::uint64_t>(size.QuadPart) > kLargestReadableFile) return {};
    Bytes content(static_cast<std::size_t>(size.QuadPart));
    if (!ReadExactly(file.Get(), content.data(), content.size())) return {};
    return content;
}

bool Win32FileSystem::WriteWholeFile(const Path& path, const Bytes& content) {
    if (path.utf8.empty()) return false;
    const OwnedFile file = OpenForWriting(WidePath(path));
    if (!file) return false;
    return WriteExactly(file.Get(), content.data(), content.size());
}

bool Win32FileSystem::RemoveFile(const Path& path) {
    return ::DeleteFileW(WidePath(path).c_str()) != 0;
}

}  // namespace zelvane::win32
