// The application object: the hidden top-level window that carries the program's icon and title,
// and the handling of exceptions that reach a window procedure.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

class TApplication {
public:
    TApplication() = default;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;
    ~TApplication();

    // Creates the hidden application window.
    void Initialize();
    HWND Handle() const { return FHandle; }
    HICON Icon() const { return FIcon; }
    void SetIcon(HICON icon);
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& title);

    // An exception that reached a window procedure: EAbort ends the handler silently, anything
    // else shows its message.
    void HandleException(std::exception_ptr e);

private:
    HWND FHandle = nullptr;
    HICON FIcon = nullptr;
    std::string FTitle;
};

extern TApplication Application;

// The system's wait cursor while the object lives.
class TWaitCursor {
public:
    TWaitCursor() : FOld(SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
    ~TWaitCursor() { SetCursor(FOld); }

private:
    HCURSOR FOld;
};

// Disables the thread's other top-level windows while a modal window runs, and enables them
// again when it goes.
class TModalScope {
public:
    explicit TModalScope(HWND modal);
    TModalScope(const TModalScope&) = delete;
    TModalScope& operator=(const TModalScope&) = delete;
    ~TModalScope();

private:
    static BOOL CALLBACK DisableWindow(HWND window, LPARAM scope);
    HWND FModal;
    HWND FDisabled[64];
    int FCount = 0;
};
