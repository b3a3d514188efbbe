// Move-only owners for Windows handles: each closes what it holds, once, in
// its destructor, so no error path has to remember to.
#pragma once

#include <windows.h>

#include <utility>

namespace zelvane::win32 {

template <typename Handle, typename Traits>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(other.Release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    ~Owned() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }
    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid()) {
        if (handle_ != Traits::Invalid()) Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

struct FileTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct FindTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::FindClose(h); }
};
struct KernelTraits {
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct IconTraits {
    static HICON Invalid() { return nullptr; }
    static void Close(HICON h) { ::DestroyIcon(h); }
};
struct MenuTraits {
    static HMENU Invalid() { return nullptr; }
    static void Close(HMENU h) { ::DestroyMenu(h); }
};
struct WindowTraits {
    static HWND Invalid() { return nullptr; }
    static void Close(HWND h) { ::DestroyWindow(h); }
};
struct GdiTraits {
    static HGDIOBJ Invalid() { return nullptr; }
    static void Close(HGDIOBJ h) { ::DeleteObject(h); }
};
struct GlobalTraits {
    static HGLOBAL Invalid() { return nullptr; }
    static void Close(HGLOBAL h) { ::GlobalFree(h); }
};

using OwnedFile = Owned<HANDLE, FileTraits>;
using OwnedFind = Owned<HANDLE, FindTraits>;
using OwnedKernelHandle = Owned<HANDLE, KernelTraits>;
using OwnedIcon = Owned<HICON, IconTraits>;
using OwnedMenu = Owned<HMENU, MenuTraits>;
using OwnedWindow = Owned<HWND, WindowTraits>;
using OwnedGdiObject = Owned<HGDIOBJ, GdiTraits>;
using OwnedGlobal = Owned<HGLOBAL, GlobalTraits>;

// A COM interface pointer, released once.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { Reset(); }

    Interface* Get() const { return p_; }
    Interface* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: releases what is held and hands out the slot.
    Interface** Receive() {
        Reset();
        return &p_;
    }
    void Reset() {
        if (p_ != nullptr) std::exchange(p_, nullptr)->Release();
    }

private:
    Interface* p_ = nullptr;
};

}  // namespace zelvane::win32
