// Window-system objects made for one drawing step, each given back when its
// scope ends, on every path out of it. A scope releases in the reverse order
// of its declarations: declare what is selected after what it is selected
// into, so that it is deselected before either is deleted.
#pragma once

#include <windows.h>

// A window's device context from GetDC, given back with ReleaseDC.
struct ScopedWindowDc {
    HWND window;
    HDC dc;

    explicit ScopedWindowDc(HWND w) : window(w), dc(GetDC(w)) {}
    ~ScopedWindowDc() { ReleaseDC(window, dc); }
    ScopedWindowDc(const ScopedWindowDc&) = delete;
    ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
    operator HDC() const { return dc; }
};

// A memory device context compatible with another, deleted with DeleteDC.
struct ScopedMemoryDc {
    HDC dc;

    explicit ScopedMemoryDc(HDC compatibleWith) : dc(CreateCompatibleDC(compatibleWith)) {}
    ~ScopedMemoryDc() { DeleteDC(dc); }
    ScopedMemoryDc(const ScopedMemoryDc&) = delete;
    ScopedMemoryDc& operator=(const ScopedMemoryDc&) = delete;
    operator HDC() const { return dc; }
};

// A brush, pen, region or bitmap, deleted with DeleteObject unless it is null.
template <typename Handle>
struct ScopedGdiObject {
    Handle handle;

    explicit ScopedGdiObject(Handle h) : handle(h) {}
    ~ScopedGdiObject() {
        if (handle) DeleteObject(handle);
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    operator Handle() const { return handle; }
};

// An object selected into a context; the object that it replaced is selected
// back when the scope ends.
struct ScopedSelection {
    HDC dc;
    HGDIOBJ previous;

    ScopedSelection(HDC d, HGDIOBJ object) : dc(d), previous(SelectObject(d, object)) {}
    ~ScopedSelection() { SelectObject(dc, previous); }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;
};
