// Owners of the system handles the utilities open: files and devices, file searches,
// registry keys and COM interfaces. Each closes its handle when it goes; none can be copied.
#pragma once

#include <windows.h>

// Traits give the value that means "no handle" and the call that closes one.
template <typename Traits> class TOwnedHandle {
public:
    using THandle = typename Traits::THandle;

    TOwnedHandle() = default;
    explicit TOwnedHandle(THandle handle) : FHandle(handle) {}
    TOwnedHandle(const TOwnedHandle&) = delete;
    TOwnedHandle& operator=(const TOwnedHandle&) = delete;
    ~TOwnedHandle() { Reset(); }

    THandle Get() const { return FHandle; }
    bool Valid() const { return FHandle != Traits::Invalid(); }
    void Reset(THandle handle = Traits::Invalid()) {
        if (Valid())
            Traits::Close(FHandle);
        FHandle = handle;
    }

private:
    THandle FHandle = Traits::Invalid();
};

struct TFileTraits {
    using THandle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};

struct TFindTraits {
    using THandle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindClose(h); }
};

struct TRegKeyTraits {
    using THandle = HKEY;
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY h) { RegCloseKey(h); }
};

using TFileHandle = TOwnedHandle<TFileTraits>;
using TFindHandle = TOwnedHandle<TFindTraits>;
using TRegKey = TOwnedHandle<TRegKeyTraits>;

// A COM interface pointer, released when it goes.
template <typename T> class TComPtr {
public:
    TComPtr() = default;
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    ~TComPtr() {
        if (FPtr)
            FPtr->Release();
    }

    T* operator->() const { return FPtr; }
    explicit operator bool() const { return FPtr != nullptr; }
    // For the calls that hand out a new interface; the pointer must be empty.
    void** Receive() { return reinterpret_cast<void**>(&FPtr); }

private:
    T* FPtr = nullptr;
};
