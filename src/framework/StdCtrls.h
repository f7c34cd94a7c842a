// Thin wrappers of the system's standard controls.
#pragma once

#include "framework/Control.h"
#include "framework/StringList.h"

#include <vector>

// Static text. A fixed-size label wraps at word boundaries; one without a size grows to its
// text. "&" marks the access key that focuses the next control.
class TLabel : public TControl {
public:
    void SetProperty(const TFormProperty& p, THandlerResolver& handlers) override;
    // Both before the window is created.
    void SetAutoSize(bool autoSize) { FAutoSize = autoSize; }
    void SetShowAccelChar(bool show) { FShowAccelChar = show; }

protected:
    const char* WindowClass() const override { return "STATIC"; }
    DWORD Style() const override;
    void AfterCreate(const TLayout& layout) override;
    void CaptionChanged() override;

private:
    bool FAutoSize = true;
    bool FRightAligned = false;
    bool FShowAccelChar = true;
};

class TButton : public TControl {
public:
    TNotifyEvent OnClick;
    bool IsDefault() const { return FDefault; }
    bool IsCancel() const { return FCancel; }
    void SetRoles(bool isDefault, bool isCancel);
    void Click();
    void SetProperty(const TFormProperty& p, THandlerResolver& handlers) override;

protected:
    const char* WindowClass() const override { return "BUTTON"; }
    DWORD Style() const override;
    void Notified(WORD code) override;

private:
    bool FDefault = false;
    bool FCancel = false;
};

class TCheckBox : public TControl {
public:
    bool Checked() const;
    void SetChecked(bool checked);
    void SetProperty(const TFormProperty& p, THandlerResolver& handlers) override;

protected:
    const char* WindowClass() const override { return "BUTTON"; }
    DWORD Style() const override;
    void AfterCreate(const TLayout& layout) override;

private:
    bool FChecked = false;
};

class TEdit : public TControl {
public:
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }

protected:
    const char* WindowClass() const override { return "EDIT"; }
    DWORD Style() const override;
    DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
    void AfterCreate(const TLayout& layout) override;
    HBRUSH ControlColor(HDC) override { return nullptr; }
};

// A read-only text of many lines that wraps long lines and scrolls vertically.
class TMemo : public TControl {
public:
    void SetLines(const TStringList& lines);
    int LineCount() const;

protected:
    const char* WindowClass() const override { return "EDIT"; }
    DWORD Style() const override;
    DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
    // Read-only text stays on the window colour, as a document does.
    HBRUSH ControlColor(HDC dc) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class TListBox : public TControl {
public:
    TNotifyEvent OnChange;
    void SetProperty(const TFormProperty& p, THandlerResolver& handlers) override;
    int Add(const std::string& item);
    int ItemIndex() const;
    std::string Item(int index) const;

protected:
    const char* WindowClass() const override { return "LISTBOX"; }
    DWORD Style() const override;
    DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
    void AfterCreate(const TLayout& layout) override;
    void Notified(WORD code) override;
    HBRUSH ControlColor(HDC) override { return nullptr; }

    int FItemHeight = 0; // design pixels; 0 keeps the system's
};

enum TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };

// A list box whose rows carry a three-state check box. Clicking the box or pressing Space
// toggles it between checked and unchecked.
class TCheckListBox : public TListBox {
public:
    TNotifyEvent OnClickCheck;
    TDrawItemEvent OnDrawItem;
    void SetProperty(const TFormProperty& p, THandlerResolver& handlers) override;
    int Add(const std::string& item);
    TCheckBoxState State(int index) const;
    void SetState(int index, TCheckBoxState state);
    bool Checked(int index) const { return State(index) == cbChecked; }
    // The width of the check box column, in screen pixels.
    int CheckWidth() const;
    void DrawCheck(HDC dc, const RECT& row, TCheckBoxState state) const;

protected:
    DWORD Style() const override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    void Toggle(int index);
    std::vector<TCheckBoxState> FStates;
};

class TComboBox : public TControl {
public:
    TNotifyEvent OnChange;
    void SetProperty(const TFormProperty& p, THandlerResolver& handlers) override;

protected:
    const char* WindowClass() const override { return "COMBOBOX"; }
    DWORD Style() const override;
    void Notified(WORD code) override;
    HBRUSH ControlColor(HDC) override { return nullptr; }
};

// A progress bar with a 32-bit range starting at 0.
class TProgressBar : public TControl {
public:
    void SetMax(int32_t max);
    void SetPosition(int32_t position);

protected:
    const char* WindowClass() const override { return "msctls_progress32"; }
};
