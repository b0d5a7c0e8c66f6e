// Small holders that close what they opened when they go out of scope: a kernel handle, a registry
// key, a window's device context, a selected GDI object, a GDI object or icon of our own, a double
// buffer for painting, and a bitmap kept between paintings.
#pragma once

#include <windows.h>

#include <algorithm>

// A kernel handle (file, process, thread, mutex) of our own, closed at the end of its scope. Null
// and INVALID_HANDLE_VALUE both mean none.
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle = nullptr) : handle_(handle) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle() { Close(); }
    // Closes the handle now; false when closing it failed (GetLastError tells why).
    bool Close() {
        const bool closed = !*this || CloseHandle(handle_);
        handle_ = nullptr;
        return closed;
    }
    void reset(HANDLE handle = nullptr) {
        Close();
        handle_ = handle;
    }
    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// An opened registry key, closed at the end of its scope.
class ScopedRegKey {
public:
    ScopedRegKey() = default;
    ScopedRegKey(const ScopedRegKey&) = delete;
    ScopedRegKey& operator=(const ScopedRegKey&) = delete;
    ~ScopedRegKey() {
        if (key_) RegCloseKey(key_);
    }
    // Opens `path` below `root` with `access`; returns 0 or the Windows error.
    DWORD Open(HKEY root, const char* path, REGSAM access) {
        if (key_) RegCloseKey(key_);
        key_ = nullptr;
        return static_cast<DWORD>(RegOpenKeyExA(root, path, 0, access, &key_));
    }
    // Opens `path` below `root` with `access`, creating it first when it is missing; returns 0 or
    // the Windows error.
    DWORD Create(HKEY root, const char* path, REGSAM access) {
        if (key_) RegCloseKey(key_);
        key_ = nullptr;
        return static_cast<DWORD>(RegCreateKeyExA(root, path, 0, nullptr, 0, access, nullptr, &key_, nullptr));
    }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// The device context of a window (or of the screen for 0), released at the end of its scope.
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    ~ScopedGetDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context; the one it replaced comes back at the end of scope.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
    ~ScopedSelectObject() {
        if (previous_) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// How a GDI object of our own is deleted; an icon is destroyed.
template <class Handle>
void DeleteGdiObject(Handle object) {
    DeleteObject(object);
}
inline void DeleteGdiObject(HICON icon) { DestroyIcon(icon); }

// A GDI object (font, bitmap, brush, pen) or an icon of our own, deleted at the end of its scope.
template <class Handle>
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(Handle object = nullptr) : object_(object) {}
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    ~ScopedGdiObject() { reset(); }
    void reset(Handle object = nullptr) {
        if (object_) DeleteGdiObject(object_);
        object_ = object;
    }
    Handle get() const { return object_; }
    operator Handle() const { return object_; }

private:
    Handle object_;
};

// A memory device context compatible with `dc`, deleted at the end of its scope.
class ScopedMemoryDC {
public:
    explicit ScopedMemoryDC(HDC dc) : dc_(CreateCompatibleDC(dc)) {}
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
    ~ScopedMemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

// Painting without flicker: draw into dc() (a bitmap of the given size), and the whole of it is
// copied to the target at (left, top) at the end of scope. Falls back to drawing on the target
// straight away when no bitmap can be had.
class DoubleBuffer {
public:
    DoubleBuffer(HDC target, int left, int top, int width, int height)
        : target_(target), left_(left), top_(top), width_(width), height_(height), memory_(target),
          bitmap_(CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)),
          select_(memory_, bitmap_.get()) {
        if (Buffered()) SetWindowOrgEx(memory_, left, top, nullptr);
    }
    DoubleBuffer(const DoubleBuffer&) = delete;
    DoubleBuffer& operator=(const DoubleBuffer&) = delete;
    ~DoubleBuffer() {
        if (Buffered()) {
            SetWindowOrgEx(memory_, 0, 0, nullptr);
            BitBlt(target_, left_, top_, width_, height_, memory_, 0, 0, SRCCOPY);
        }
    }
    // Where to draw, in the target's coordinates.
    HDC dc() const { return Buffered() ? static_cast<HDC>(memory_) : target_; }

private:
    bool Buffered() const { return memory_ && bitmap_.get(); }

    HDC target_;
    int left_, top_, width_, height_;
    ScopedMemoryDC memory_;
    ScopedGdiObject<HBITMAP> bitmap_;
    ScopedSelectObject select_;
};

// A bitmap compatible with a device context, selected into a memory DC of its own, kept from
// Create until Reset or the end of scope: for drawings kept between paintings.
class MemoryBitmap {
public:
    MemoryBitmap() = default;
    MemoryBitmap(const MemoryBitmap&) = delete;
    MemoryBitmap& operator=(const MemoryBitmap&) = delete;
    ~MemoryBitmap() { Reset(); }

    // Makes a bitmap of `width` x `height` like `dc`'s; false (and none held) when it cannot.
    bool Create(HDC dc, int width, int height) {
        Reset();
        dc_ = CreateCompatibleDC(dc);
        bitmap_ = dc_ ? CreateCompatibleBitmap(dc, std::max(width, 1), std::max(height, 1)) : nullptr;
        if (!bitmap_) {
            Reset();
            return false;
        }
        previous_ = SelectObject(dc_, bitmap_);
        return true;
    }
    void Reset() {
        if (dc_ && previous_) SelectObject(dc_, previous_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
        dc_ = nullptr;
        bitmap_ = nullptr;
        previous_ = nullptr;
    }
    // Where to draw; null when none is held.
    HDC dc() const { return dc_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};
