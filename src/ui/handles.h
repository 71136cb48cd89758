// Owning wrappers for every kind of Windows handle the program opens, so that each
// one is released on every path, exceptions included.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <commctrl.h>

#include <utility>

namespace ui {

// UniqueHandle<Traits>: move-only owner of one handle. Traits names the handle type,
// its empty value and the function that releases it.
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::empty(); }

    // For functions that return a handle through a pointer; releases the old one first.
    Handle* out()
    {
        reset();
        return &handle_;
    }

    Handle release() { return std::exchange(handle_, Traits::empty()); }

    void reset(Handle handle = Traits::empty())
    {
        if (handle_ != Traits::empty())
            Traits::close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::empty();
};

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { RegCloseKey(h); }
};
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle empty() { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) { CloseHandle(h); }
};
struct KernelHandleTraits {  // tokens, processes, threads: empty is null
    using Handle = HANDLE;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { CloseHandle(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle empty() { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) { FindClose(h); }
};
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { DeleteObject(h); }
};
struct MemoryDCTraits {  // device contexts made with CreateCompatibleDC
    using Handle = HDC;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { DeleteDC(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { DestroyIcon(h); }
};
struct WindowTraits {
    using Handle = HWND;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { DestroyWindow(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { DestroyMenu(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { FreeLibrary(h); }
};
struct HookTraits {
    using Handle = HHOOK;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { UnhookWindowsHookEx(h); }
};
struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle empty() { return nullptr; }
    static void close(Handle h);  // ImageList_Destroy, defined in handles.cpp
};
struct GlobalMemoryTraits {  // memory made with GlobalAlloc
    using Handle = HGLOBAL;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { GlobalFree(h); }
};
struct SidTraits {
    using Handle = PSID;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { FreeSid(h); }
};

using RegKey = UniqueHandle<RegKeyTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using GdiObject = UniqueHandle<GdiObjectTraits>;
using MemoryDC = UniqueHandle<MemoryDCTraits>;
using IconHandle = UniqueHandle<IconTraits>;
using WindowHandle = UniqueHandle<WindowTraits>;
using MenuHandle = UniqueHandle<MenuTraits>;
using ModuleHandle = UniqueHandle<ModuleTraits>;
using HookHandle = UniqueHandle<HookTraits>;
using ImageListHandle = UniqueHandle<ImageListTraits>;
using SidHandle = UniqueHandle<SidTraits>;
using GlobalMemory = UniqueHandle<GlobalMemoryTraits>;

// A device context taken with GetDC and given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { if (dc_) ReleaseDC(window_, dc_); }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Keeps the system's "insert a disk" box away for one scope, while drives without a
// medium (or the files of commands on them) are asked about.
class QuietCriticalErrors {
public:
    QuietCriticalErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    QuietCriticalErrors(const QuietCriticalErrors&) = delete;
    QuietCriticalErrors& operator=(const QuietCriticalErrors&) = delete;
    ~QuietCriticalErrors() { SetErrorMode(previous_); }

private:
    UINT previous_;
};

// Selects a GDI object into a device context for one scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { if (previous_) SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A COM interface pointer, released once.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ~ComPtr() { reset(); }
    T* get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    T** out() { reset(); return &ptr_; }
    void** outVoid() { return reinterpret_cast<void**>(out()); }
    void reset() { if (ptr_) { ptr_->Release(); ptr_ = nullptr; } }

private:
    T* ptr_ = nullptr;
};

// CoInitialize for one scope; CoUninitialize only when it succeeded.
class ComScope {
public:
    ComScope() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() { if (ok_) CoUninitialize(); }

private:
    bool ok_;
};

}  // namespace ui
