// Owners of GDI objects and of a device context's selection: released on every path.
#pragma once

#include <windows.h>

#include <utility>

template <typename H> class TGdiObject {
public:
    explicit TGdiObject(H handle = nullptr) : FHandle(handle) {}
    TGdiObject(TGdiObject&& other) noexcept : FHandle(std::exchange(other.FHandle, nullptr)) {}
    TGdiObject& operator=(TGdiObject&& other) noexcept {
        Reset(std::exchange(other.FHandle, nullptr));
        return *this;
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    ~TGdiObject() { Reset(); }

    H Get() const { return FHandle; }
    void Reset(H handle = nullptr) {
        if (FHandle)
            DeleteObject(FHandle);
        FHandle = handle;
    }

private:
    H FHandle;
};

class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) : FDC(dc), FOld(SelectObject(dc, object)) {}
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;
    ~TSelectObject() { SelectObject(FDC, FOld); }

private:
    HDC FDC;
    HGDIOBJ FOld;
};

// The device context of a window (none: the screen), released when it goes.
class TWindowDC {
public:
    explicit TWindowDC(HWND window = nullptr) : FWindow(window), FDC(GetDC(window)) {}
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    ~TWindowDC() { ReleaseDC(FWindow, FDC); }
    operator HDC() const { return FDC; }

private:
    HWND FWindow;
    HDC FDC;
};
