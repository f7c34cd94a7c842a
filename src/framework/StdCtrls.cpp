#include "framework/StdCtrls.h"

#include <commctrl.h>

// --- TLabel

void TLabel::SetProperty(const TFormProperty& p, THandlerResolver& handlers) {
    if (p.Name == "AutoSize")
        FAutoSize = p.AsBoolean();
    else if (p.Name == "Alignment")
        FRightAligned = WordIn(p, {"Left", "Right"}) == 1;
    else
        TControl::SetProperty(p, handlers);
}

DWORD TLabel::Style() const {
    return WS_CHILD | (FRightAligned ? SS_RIGHT : SS_LEFT) | (FShowAccelChar ? 0 : SS_NOPREFIX);
}

void TLabel::AfterCreate(const TLayout&) {
    CaptionChanged();
}

// A label without a fixed size grows or shrinks to its text.
void TLabel::CaptionChanged() {
    if (!FAutoSize)
        return;
    RECT r = {0, 0, 0, 0};
    {
        TWindowDC dc(Handle());
        TSelectObject font(dc, Font());
        DrawTextA(dc, FCaption.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    }
    SetWindowPos(Handle(), nullptr, 0, 0, r.right, r.bottom, SWP_NOMOVE | SWP_NOZORDER);
    // The parent repaints what a shorter text left behind.
    InvalidateRect(GetParent(Handle()), nullptr, TRUE);
}

// --- TButton

void TButton::SetProperty(const TFormProperty& p, THandlerResolver& handlers) {
    if (p.Name == "Default")
        FDefault = p.AsBoolean();
    else if (p.Name == "Cancel")
        FCancel = p.AsBoolean();
    else if (p.Name == "OnClick")
        OnClick = handlers.Notify(p);
    else
        TControl::SetProperty(p, handlers);
}

DWORD TButton::Style() const {
    return WS_CHILD | WS_TABSTOP | (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::Notified(WORD code) {
    if (code == BN_CLICKED)
        Click();
}

void TButton::SetRoles(bool isDefault, bool isCancel) {
    FDefault = isDefault;
    FCancel = isCancel;
}

void TButton::Click() {
    if (OnClick)
        OnClick(*this);
}

// --- TCheckBox

void TCheckBox::SetProperty(const TFormProperty& p, THandlerResolver& handlers) {
    if (p.Name == "Checked")
        FChecked = p.AsBoolean();
    else
        TControl::SetProperty(p, handlers);
}

DWORD TCheckBox::Style() const {
    return WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX;
}

void TCheckBox::AfterCreate(const TLayout&) {
    SetChecked(FChecked);
}

bool TCheckBox::Checked() const {
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
    FChecked = checked;
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// --- TEdit

DWORD TEdit::Style() const {
    return WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL;
}

void TEdit::AfterCreate(const TLayout&) {
    // An edit box is as high as its font plus the room of its border.
    TEXTMETRICA tm;
    {
        TWindowDC dc(Handle());
        TSelectObject font(dc, Font());
        GetTextMetricsA(dc, &tm);
    }
    RECT r;
    GetWindowRect(Handle(), &r);
    SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, tm.tmHeight + 8,
                 SWP_NOMOVE | SWP_NOZORDER);
}

// --- TMemo

DWORD TMemo::Style() const {
    return WS_CHILD | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
}

HBRUSH TMemo::ControlColor(HDC dc) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
}

// Tab and Enter belong to the window (next control, default button), not to the read-only
// text; and arriving by Tab does not select the whole text.
LRESULT TMemo::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = TControl::WndProc(message, wParam, lParam);
    if (message == WM_GETDLGCODE)
        result &= ~(DLGC_WANTALLKEYS | DLGC_HASSETSEL);
    return result;
}

void TMemo::SetLines(const TStringList& lines) {
    std::string text;
    for (int32_t i = 0; i < lines.Count(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    SetCaption(text);
}

int TMemo::LineCount() const {
    return GetWindowTextLengthA(Handle()) == 0
               ? 0
               : static_cast<int>(SendMessageA(Handle(), EM_GETLINECOUNT, 0, 0));
}

// --- TListBox

void TListBox::SetProperty(const TFormProperty& p, THandlerResolver& handlers) {
    if (p.Name == "ItemHeight")
        FItemHeight = p.AsInteger();
    else if (p.Name == "OnChange")
        OnChange = handlers.Notify(p);
    else
        TControl::SetProperty(p, handlers);
}

DWORD TListBox::Style() const {
    return WS_CHILD | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
}

void TListBox::AfterCreate(const TLayout& layout) {
    if (FItemHeight > 0)
        SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, layout.Scaled(FItemHeight));
}

void TListBox::Notified(WORD code) {
    if (code == LBN_SELCHANGE && OnChange)
        OnChange(*this);
}

int TListBox::Add(const std::string& item) {
    return static_cast<int>(
        SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())));
}

int TListBox::ItemIndex() const {
    return static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
}

std::string TListBox::Item(int index) const {
    LRESULT length = SendMessageA(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(Handle(), LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

// --- TCheckListBox

void TCheckListBox::SetProperty(const TFormProperty& p, THandlerResolver& handlers) {
    if (p.Name == "OnClickCheck")
        OnClickCheck = handlers.Notify(p);
    else if (p.Name == "OnDrawItem")
        OnDrawItem = handlers.DrawItem(p);
    else
        TListBox::SetProperty(p, handlers);
}

DWORD TCheckListBox::Style() const {
    return TListBox::Style() | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
}

int TCheckListBox::Add(const std::string& item) {
    int index = TListBox::Add(item);
    if (index >= 0)
        FStates.insert(FStates.begin() + index, cbUnchecked);
    return index;
}

TCheckBoxState TCheckListBox::State(int index) const {
    return index >= 0 && index < static_cast<int>(FStates.size()) ? FStates[index] : cbUnchecked;
}

void TCheckListBox::SetState(int index, TCheckBoxState state) {
    if (index < 0 || index >= static_cast<int>(FStates.size()))
        return;
    FStates[index] = state;
    RECT r;
    if (SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r)) != LB_ERR)
        InvalidateRect(Handle(), &r, FALSE);
}

int TCheckListBox::CheckWidth() const {
    return GetSystemMetrics(SM_CXMENUCHECK) + 4;
}

void TCheckListBox::Toggle(int index) {
    if (index < 0 || index >= static_cast<int>(FStates.size()))
        return;
    SetState(index, FStates[index] == cbChecked ? cbUnchecked : cbChecked);
    if (OnClickCheck)
        OnClickCheck(*this);
}

LRESULT TCheckListBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        LRESULT hit = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, lParam);
        LRESULT result = TListBox::WndProc(message, wParam, lParam);
        if (HIWORD(hit) == 0 && static_cast<short>(LOWORD(lParam)) < CheckWidth())
            Toggle(LOWORD(hit));
        return result;
    }
    if (message == WM_CHAR && wParam == ' ') {
        Toggle(ItemIndex());
        return 0;
    }
    return TListBox::WndProc(message, wParam, lParam);
}

void TCheckListBox::DrawCheck(HDC dc, const RECT& row, TCheckBoxState state) const {
    int size = GetSystemMetrics(SM_CXMENUCHECK) - 1;
    int top = row.top + (row.bottom - row.top - size) / 2;
    RECT box = {row.left + 2, top, row.left + 2 + size, top + size};
    UINT flags = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (state != cbUnchecked)
        flags |= DFCS_CHECKED;
    if (state == cbGrayed)
        flags |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, flags);
}

bool TCheckListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1))
        return true;
    int index = static_cast<int>(item.itemID);
    RECT text = item.rcItem;
    text.left += CheckWidth();
    if (OnDrawItem) {
        OnDrawItem(*this, index, text, item.itemState, item.hDC);
    } else {
        bool selected = item.itemState & ODS_SELECTED;
        FillRect(item.hDC, &text, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        std::string caption = Item(index);
        text.left += 2;
        DrawTextA(item.hDC, caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    RECT check = item.rcItem;
    check.right = check.left + CheckWidth();
    FillRect(item.hDC, &check, GetSysColorBrush(COLOR_WINDOW));
    DrawCheck(item.hDC, check, State(index));
    return true;
}

// --- TComboBox

void TComboBox::SetProperty(const TFormProperty& p, THandlerResolver& handlers) {
    if (p.Name == "OnChange")
        OnChange = handlers.Notify(p);
    else
        TControl::SetProperty(p, handlers);
}

DWORD TComboBox::Style() const {
    return WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
}

void TComboBox::Notified(WORD code) {
    if (code == CBN_SELCHANGE && OnChange)
        OnChange(*this);
}

// --- TProgressBar

void TProgressBar::SetMax(int32_t max) {
    SendMessageA(Handle(), PBM_SETRANGE32, 0, max);
}

void TProgressBar::SetPosition(int32_t position) {
    SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}
