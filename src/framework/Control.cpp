#include "framework/Control.h"

#include "framework/Application.h"

#include <cmath>

int TLayout::Scaled(int designPixels) const {
    return static_cast<int>(std::lround(designPixels * Scale));
}

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        static_cast<TControl*>(create->lpCreateParams)->Attach(window);
    }
    TControl* control = TControl::FromHandle(window);
    if (!control)
        return DefWindowProcA(window, message, wParam, lParam);
    // No exception may unwind into the system's frames.
    try {
        LRESULT result = control->WndProc(message, wParam, lParam);
        if (message == WM_NCDESTROY)
            control->FHandle = nullptr;
        return result;
    } catch (...) {
        Application.HandleException(std::current_exception());
        return 0;
    }
}

const char* OwnWindowClass() {
    static const char* name = [] {
        WNDCLASSA wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ControlWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = "CorvellaWindow";
        RegisterClassA(&wc);
        return wc.lpszClassName;
    }();
    return name;
}

TControl::~TControl() {
    if (FHandle) {
        SetWindowLongPtrA(FHandle, GWLP_USERDATA, 0);
        if (FSystemProc)
            SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FSystemProc));
        DestroyWindow(FHandle);
    }
}

TControl* TControl::FromHandle(HWND window) {
    return window ? reinterpret_cast<TControl*>(GetWindowLongPtrA(window, GWLP_USERDATA)) : nullptr;
}

void TControl::Attach(HWND window) {
    FHandle = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TControl::SetProperty(const TFormProperty& p, THandlerResolver&) {
    if (p.Name == "Bounds") {
        auto& b = p.AsIntegers(4);
        SetDesignBounds(b[0], b[1], b[2], b[3]);
    } else if (p.Name == "Caption") {
        FCaption = p.AsString();
    } else if (p.Name == "Visible") {
        FVisible = p.AsBoolean();
    } else if (p.Name == "Enabled") {
        FEnabled = p.AsBoolean();
    } else if (p.Name == "Tag") {
        Tag = p.AsInteger();
    } else if (p.Name == "FontName") {
        FFontFace = p.AsString();
    } else if (p.Name == "FontHeight") {
        FFontHeight = p.AsInteger();
    } else if (p.Name == "FontBold") {
        FFontBold = p.AsBoolean();
    } else if (p.Name == "FontColor") {
        uint32_t c = p.AsColor();
        FFontColor = RGB(c >> 16, (c >> 8) & 0xFF, c & 0xFF);
    } else if (p.Name == "Color") {
        uint32_t c = p.AsColor();
        SetColor(RGB(c >> 16, (c >> 8) & 0xFF, c & 0xFF));
    } else {
        throw EFormError("Form resource, line " + std::to_string(p.Line) + ": " + FName +
                         " has no property " + p.Name);
    }
}

void TControl::SetDesignBounds(int left, int top, int width, int height) {
    FBounds = {left, top, left + width, top + height};
}

void TControl::SetColor(COLORREF color) {
    FOwnBrush.Reset(CreateSolidBrush(color));
}

HBRUSH TControl::BackgroundBrush() const {
    if (FOwnBrush.Get())
        return FOwnBrush.Get();
    return FParent ? FParent->BackgroundBrush() : GetSysColorBrush(COLOR_BTNFACE);
}

void TControl::CreateHandle(TControl* parent, const TLayout& layout) {
    FParent = parent;
    if (FFontColor == CLR_INVALID && parent)
        FFontColor = parent->FFontColor;
    const char* cls = WindowClass();
    DWORD style = Style() | (FVisible ? WS_VISIBLE : 0) | (FEnabled ? 0 : WS_DISABLED);
    HWND window = CreateWindowExA(ExStyle(), cls ? cls : OwnWindowClass(), FCaption.c_str(), style,
                                  layout.Scaled(FBounds.left), layout.Scaled(FBounds.top),
                                  layout.Scaled(FBounds.right - FBounds.left),
                                  layout.Scaled(FBounds.bottom - FBounds.top),
                                  parent ? parent->Handle() : nullptr, nullptr,
                                  GetModuleHandleA(nullptr), cls ? nullptr : this);
    if (!window)
        throw Exception("EWin32Error", "Cannot create the window " + FName);
    if (cls) {
        Attach(window);
        FSystemProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlWindowProc)));
    }
    MakeFont(layout);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(FFont), FALSE);
    AfterCreate(layout);
}

void TControl::MakeFont(const TLayout& layout) {
    HFONT inherited = FParent ? FParent->Font() : layout.DefaultFont;
    if (FFontFace.empty() && FFontHeight == 0 && !FFontBold) {
        FFont = inherited;
        return;
    }
    LOGFONTA lf = {};
    GetObjectA(inherited, sizeof lf, &lf);
    if (!FFontFace.empty())
        lstrcpynA(lf.lfFaceName, FFontFace.c_str(), LF_FACESIZE);
    if (FFontHeight != 0)
        lf.lfHeight = -layout.Scaled(FFontHeight);
    if (FFontBold)
        lf.lfWeight = FW_BOLD;
    FOwnFont.Reset(CreateFontIndirectA(&lf));
    FFont = FOwnFont.Get();
}

LRESULT TControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return FSystemProc ? CallWindowProcA(FSystemProc, FHandle, message, wParam, lParam)
                       : DefWindowProcA(FHandle, message, wParam, lParam);
}

LRESULT TControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
            child->Notified(HIWORD(wParam));
            return 0;
        }
        break;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (TControl* child = FromHandle(item->hwndItem); child && child->DrawItem(*item))
            return TRUE;
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH brush = child->ControlColor(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_ERASEBKGND:
        if (!FSystemProc) {
            RECT r;
            GetClientRect(FHandle, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, BackgroundBrush());
            return 1;
        }
        break;
    case WM_PAINT:
        if (!FSystemProc) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(FHandle, &ps);
            Paint(dc);
            EndPaint(FHandle, &ps);
            return 0;
        }
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

HBRUSH TControl::ControlColor(HDC dc) {
    SetTextColor(dc, FFontColor == CLR_INVALID ? GetSysColor(COLOR_WINDOWTEXT) : FFontColor);
    SetBkMode(dc, TRANSPARENT);
    return BackgroundBrush();
}

bool TControl::Visible() const {
    return FHandle ? IsWindowVisible(FHandle) != FALSE : FVisible;
}

void TControl::SetVisible(bool visible) {
    FVisible = visible;
    if (FHandle)
        ShowWindow(FHandle, visible ? SW_SHOW : SW_HIDE);
}

bool TControl::Enabled() const {
    return FHandle ? IsWindowEnabled(FHandle) != FALSE : FEnabled;
}

void TControl::SetEnabled(bool enabled) {
    FEnabled = enabled;
    if (FHandle)
        EnableWindow(FHandle, enabled);
}

std::string TControl::Caption() const {
    if (!FHandle)
        return FCaption;
    std::string text(static_cast<size_t>(GetWindowTextLengthA(FHandle)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(FHandle, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TControl::SetCaption(const std::string& caption) {
    FCaption = caption;
    if (FHandle) {
        SetWindowTextA(FHandle, caption.c_str());
        CaptionChanged();
    }
}

void TControl::SetFocus() {
    if (FHandle)
        ::SetFocus(FHandle);
}

void TControl::Invalidate() {
    if (FHandle)
        InvalidateRect(FHandle, nullptr, TRUE);
}
