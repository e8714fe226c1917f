#pragma once
// Scope guards for Win32 handles, so that early returns cannot leak them.

#include <windows.h>

#include <utility>

// Owns one handle of a kind described by Traits (Type, Invalid(), Close()).
template <typename Traits>
class CScopedHandle {
public:
    using Type = typename Traits::Type;

    explicit CScopedHandle(Type handle = Traits::Invalid()) : m_handle(handle) {}
    ~CScopedHandle() { Reset(); }
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;
    CScopedHandle(CScopedHandle&& other) noexcept : m_handle(other.Release()) {}
    CScopedHandle& operator=(CScopedHandle&& other) noexcept
    {
        Reset(other.Release());
        return *this;
    }

    Type Get() const { return m_handle; }
    bool IsValid() const { return m_handle != Traits::Invalid(); }
    explicit operator bool() const { return IsValid(); }
    Type Release() { return std::exchange(m_handle, Traits::Invalid()); }
    void Reset(Type handle = Traits::Invalid())
    {
        Close();
        m_handle = handle;
    }
    // False when the handle was open and closing it failed: for a file, a buffered write may be lost.
    bool Close()
    {
        bool closed = !IsValid() || Traits::Close(m_handle);
        m_handle = Traits::Invalid();
        return closed;
    }

private:
    Type m_handle;
};

struct FileHandleTraits { // CreateFile: INVALID_HANDLE_VALUE on failure
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(Type h) { return CloseHandle(h) != 0; }
};
struct KernelHandleTraits { // processes, threads, events: null on failure
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static bool Close(Type h) { return CloseHandle(h) != 0; }
};
struct FindHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(Type h) { return FindClose(h) != 0; }
};
struct RegKeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static bool Close(Type h) { return RegCloseKey(h) == ERROR_SUCCESS; }
};
template <typename T>
struct GdiObjectTraits { // pens, brushes, fonts, bitmaps, palettes; stock objects ignore DeleteObject
    using Type = T;
    static Type Invalid() { return nullptr; }
    static bool Close(Type h) { return DeleteObject(h) != 0; }
};
struct MemoryDcTraits {
    using Type = HDC;
    static Type Invalid() { return nullptr; }
    static bool Close(Type h) { return DeleteDC(h) != 0; }
};

using CFileHandle = CScopedHandle<FileHandleTraits>;
using CKernelHandle = CScopedHandle<KernelHandleTraits>;
using CFindHandle = CScopedHandle<FindHandleTraits>;
using CRegKey = CScopedHandle<RegKeyTraits>;
using CPaletteHandle = CScopedHandle<GdiObjectTraits<HPALETTE>>;
using CBitmapHandle = CScopedHandle<GdiObjectTraits<HBITMAP>>;
using CBrushHandle = CScopedHandle<GdiObjectTraits<HBRUSH>>;
using CFontHandle = CScopedHandle<GdiObjectTraits<HFONT>>;
using CMemoryDC = CScopedHandle<MemoryDcTraits>;

// A device context of a window from GetDC, released on scope exit.
class CWindowDC {
public:
    explicit CWindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
    ~CWindowDC()
    {
        if (m_dc)
            ReleaseDC(m_hwnd, m_dc);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// BeginPaint ... EndPaint.
class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hwnd(hwnd), m_dc(BeginPaint(hwnd, &m_paint)) {}
    ~CPaintDC() { EndPaint(m_hwnd, &m_paint); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};

// Selects a GDI object into a device context and the previous one back on scope exit.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~CSelectObject()
    {
        if (m_previous && m_previous != HGDI_ERROR)
            SelectObject(m_dc, m_previous);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Selects a palette (foreground or background) and the previous one back, in the same mode, on scope exit.
class CSelectPalette {
public:
    CSelectPalette(HDC dc, HPALETTE palette, BOOL background)
        : m_dc(dc), m_background(background), m_previous(SelectPalette(dc, palette, background))
    {
    }
    ~CSelectPalette()
    {
        if (m_previous)
            SelectPalette(m_dc, m_previous, m_background);
    }
    CSelectPalette(const CSelectPalette&) = delete;
    CSelectPalette& operator=(const CSelectPalette&) = delete;

private:
    HDC m_dc;
    BOOL m_background;
    HPALETTE m_previous;
};
