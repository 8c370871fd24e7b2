// Move-only owners for Win32 handles, one template per handle family, so that every
// font, brush, pen and global memory block is released exactly once without a manual
// cleanup path.
#pragma once

#include <windows.h>

#include <utility>

namespace numvora {

// GDI reports some failures as -1 as well as null.
template <class H>
bool is_usable_handle(H handle) {
    return handle != nullptr && handle != reinterpret_cast<H>(static_cast<INT_PTR>(-1));
}

template <class H, BOOL (*Release)(H)>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    ~UniqueHandle() { reset(); }

    H get() const { return handle_; }
    // Gives the handle up without releasing it (to a new owner).
    H release() { return std::exchange(handle_, nullptr); }
    explicit operator bool() const { return is_usable_handle(handle_); }

    // Releases the handle now; false when the release call failed. Either way the
    // owner is empty afterwards.
    bool reset() {
        const H old = std::exchange(handle_, nullptr);
        if (!is_usable_handle(old)) return true;
        return Release(old) != 0;
    }

private:
    H handle_ = nullptr;
};

template <class H>
BOOL delete_gdi_object(H handle) {
    return DeleteObject(handle);
}

inline BOOL free_global(HGLOBAL memory) { return GlobalFree(memory) == nullptr; }

using UniqueFont = UniqueHandle<HFONT, delete_gdi_object<HFONT>>;
using UniqueBrush = UniqueHandle<HBRUSH, delete_gdi_object<HBRUSH>>;
using UniquePen = UniqueHandle<HPEN, delete_gdi_object<HPEN>>;
using UniqueGlobal = UniqueHandle<HGLOBAL, free_global>;

inline BOOL destroy_menu(HMENU menu) { return DestroyMenu(menu); }
using UniqueMenu = UniqueHandle<HMENU, destroy_menu>;

// Puts an object into a device context for one scope and restores the previous one.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect() {
        if (is_usable_handle(previous_)) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's device context outside WM_PAINT for one scope: GetDC, then ReleaseDC at
// its end. Null when the system gives none.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }

    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint for one scope, EndPaint at its end.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { EndPaint(window_, &paint_); }

    HDC dc() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace numvora
