#include "framework/Application.h"

#include "framework/Exceptions.h"
#include "framework/MessageDialog.h"

#include <commctrl.h>

#include <iterator>

TApplication Application;

TApplication::~TApplication() {
    if (FHandle)
        DestroyWindow(FHandle);
}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "CorvellaApplication";
    RegisterClassA(&wc);
    FHandle = CreateWindowExA(0, wc.lpszClassName, FTitle.c_str(),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                              nullptr, nullptr, wc.hInstance, nullptr);
}

void TApplication::SetIcon(HICON icon) {
    FIcon = icon;
    if (FHandle)
        SendMessageA(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void TApplication::SetTitle(const std::string& title) {
    FTitle = title;
    if (FHandle)
        SetWindowTextA(FHandle, title.c_str());
}

void TApplication::HandleException(std::exception_ptr e) {
    try {
        std::rethrow_exception(e);
    } catch (const EAbort&) {
    } catch (const std::exception& ex) {
        MessageDlg(ex.what(), mtError, Buttons({mbOK}));
    } catch (...) {
        MessageDlg("Unknown exception", mtError, Buttons({mbOK}));
    }
}

TModalScope::TModalScope(HWND modal) : FModal(modal) {
    EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(this));
}

TModalScope::~TModalScope() {
    while (FCount > 0)
        EnableWindow(FDisabled[--FCount], TRUE);
}

BOOL CALLBACK TModalScope::DisableWindow(HWND window, LPARAM scope) {
    auto* self = reinterpret_cast<TModalScope*>(scope);
    if (window != self->FModal && IsWindowVisible(window) && IsWindowEnabled(window) &&
        self->FCount < static_cast<int>(std::size(self->FDisabled))) {
        EnableWindow(window, FALSE);
        self->FDisabled[self->FCount++] = window;
    }
    return TRUE;
}
