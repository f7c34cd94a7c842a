#include "framework/Form.h"

#include "framework/Application.h"
#include "framework/ControlClasses.h"
#include "framework/MessageDialog.h"
#include "framework/ResourceStream.h"
#include "framework/StdCtrls.h"

#include <algorithm>

namespace {

// Layouts are designed for a dialog font whose text is 13 pixels high.
constexpr double kDesignTextHeight = 13.0;

} // namespace

void TForm::SetProperty(const TFormProperty& p, THandlerResolver& handlers) {
    if (p.Name == "ClientSize") {
        auto& size = p.AsIntegers(2);
        FClientWidth = size[0];
        FClientHeight = size[1];
    } else if (p.Name == "OnCloseQuery") {
        OnCloseQuery = handlers.CloseQuery(p);
    } else {
        TControl::SetProperty(p, handlers);
    }
}

void TForm::Load(const std::string& resourceName, THandlerResolver& handlers) {
    LoadFromText(ProgramResource(resourceName, RT_RCDATA), handlers);
}

void TForm::LoadFromText(std::string_view text, THandlerResolver& handlers) {
    std::unique_ptr<TFormNode> root = ReadForm(text);
    SetName(root->Name);
    for (const TFormProperty& p : root->Properties)
        SetProperty(p, handlers);
    PrepareLayout();
    CreateForm(FClientWidth, FClientHeight);
    CreateChildren(*root, this, handlers);
}

void TForm::PrepareLayout() {
    TWindowDC screen;
    FDefaultFont.Reset(CreateFontA(-MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0,
                                   FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_DONTCARE, "MS Shell Dlg 2"));
    TEXTMETRICA tm;
    {
        TSelectObject font(screen, FDefaultFont.Get());
        GetTextMetricsA(screen, &tm);
    }
    // Taller dialog fonts scale the whole layout; it is never shrunk.
    FLayout = {std::max(1.0, tm.tmHeight / kDesignTextHeight), FDefaultFont.Get()};
}

void TForm::CreateForm(int clientWidth, int clientHeight) {
    FClientWidth = clientWidth;
    FClientHeight = clientHeight;
    SetVisible(false);
    CreateHandle(nullptr, FLayout);
    FitAndCentre();
}

void TForm::CreateChildren(const TFormNode& node, TControl* parent, THandlerResolver& handlers) {
    for (const auto& child : node.Children) {
        std::unique_ptr<TControl> control = CreateControlOfClass(child->ClassName, child->Line);
        control->SetName(child->Name);
        for (const TFormProperty& p : child->Properties)
            control->SetProperty(p, handlers);
        control->CreateHandle(parent, FLayout);
        TControl* created = control.get();
        FControls.push_back(std::move(control));
        CreateChildren(*child, created, handlers);
    }
}

void TForm::FitAndCentre() {
    RECT r = {0, 0, FLayout.Scaled(FClientWidth), FLayout.Scaled(FClientHeight)};
    AdjustWindowRectEx(&r, Style(), FALSE, ExStyle());
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    SetWindowPos(Handle(), nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

TControl* TForm::FindControl(const std::string& name) const {
    for (const auto& control : FControls)
        if (control->Name() == name)
            return control.get();
    return nullptr;
}

TButton* TForm::RoleButton(bool cancel) const {
    for (const auto& control : FControls)
        if (auto* button = dynamic_cast<TButton*>(control.get()))
            if ((cancel ? button->IsCancel() : button->IsDefault()) && button->Visible() &&
                button->Enabled())
                return button;
    return nullptr;
}

void TForm::SetModalResult(int result) {
    FModalResult = result;
    FCloseRequested = true;
}

int TForm::ShowModal() {
    FModalResult = 0;
    FCloseRequested = false;
    {
        TModalScope modal(Handle());
        ShowWindow(Handle(), SW_SHOW);
        SetForegroundWindow(Handle());
        if (FActiveControl)
            FActiveControl->SetFocus();
        else
            ::SetFocus(GetNextDlgTabItem(Handle(), nullptr, FALSE));
        RunModalLoop();
    }
    // The other windows are enabled again first, so that one of them becomes active.
    ShowWindow(Handle(), SW_HIDE);
    return FModalResult;
}

void TForm::RunModalLoop() {
    MSG msg;
    for (;;) {
        if (FCloseRequested) {
            if (CloseQuery())
                return;
            FModalResult = 0;
            FCloseRequested = false;
        }
        int got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            FModalResult = mrCancel;
            return;
        }
        if (!IsDialogMessageA(Handle(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

// Like a dialog, the form keeps the focused control while another window is active.
void TForm::Activated(bool active) {
    HWND focus = GetFocus();
    if (!active) {
        if (focus && IsChild(Handle(), focus))
            FLastFocus = focus;
        return;
    }
    if (FLastFocus && IsWindow(FLastFocus) && IsWindowVisible(FLastFocus) &&
        IsWindowEnabled(FLastFocus))
        ::SetFocus(FLastFocus);
    else if (!focus || !IsChild(Handle(), focus))
        ::SetFocus(GetNextDlgTabItem(Handle(), nullptr, FALSE));
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (!OnCloseQuery)
        return canClose;
    try {
        OnCloseQuery(*this, canClose);
    } catch (...) {
        Application.HandleException(std::current_exception());
        canClose = false;
    }
    return canClose;
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        SetModalResult(mrCancel);
        return 0;
    case DM_GETDEFID:
        return MAKELONG(IDOK, DC_HASDEFID);
    case WM_COMMAND:
        // Enter and Esc, as the dialog manager reports them.
        if (lParam == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            if (TButton* button = RoleButton(LOWORD(wParam) == IDCANCEL))
                button->Click();
            return 0;
        }
        break;
    case WM_TIMER:
        WMTimer(wParam);
        return 0;
    case WM_ACTIVATE:
        Activated(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_ACTIVATEAPP:
        WMActivateApp(wParam != 0);
        break;
    }
    return TControl::WndProc(message, wParam, lParam);
}
