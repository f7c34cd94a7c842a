#include "framework/MessageDialog.h"

#include "framework/Form.h"
#include "framework/StdCtrls.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct TButtonKind {
    const char* Caption;
    int Result;
};

const std::array<TButtonKind, 9> kButtons = {{{"&Yes", mrYes},
                                              {"&No", mrNo},
                                              {"OK", mrOk},
                                              {"Cancel", mrCancel},
                                              {"&Abort", mrAbort},
                                              {"&Retry", mrRetry},
                                              {"&Ignore", mrIgnore},
                                              {"&All", mrAll},
                                              {"N&o to All", mrNone}}};

const char* const kCaptions[] = {"Warning", "Error", "Information", "Confirm"};
const LPCSTR kIcons[] = {IDI_EXCLAMATION, IDI_HAND, IDI_ASTERISK, IDI_QUESTION};

// Design pixels, at a 13-pixel dialog font.
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonHeight = 23;
constexpr int kMinButtonWidth = 75;
constexpr int kButtonGap = 6;

// A lone carriage return ends a line, as a carriage return and line feed do.
std::string WithLineBreaks(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            out += '\n';
    }
    return out;
}

class TMessageForm : public TForm {
public:
    TMessageForm(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons)
        : FIcon(LoadIconA(nullptr, kIcons[type])) {
        SetCaption(kCaptions[type]);
        PrepareLayout();
        Build(WithLineBreaks(text), buttons);
    }

protected:
    DWORD ExStyle() const override { return WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT; }

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        // The close box answers as Esc does; without a cancel button it does nothing.
        if (message == WM_CLOSE) {
            if (TButton* cancel = RoleButton(true))
                cancel->Click();
            return 0;
        }
        return TForm::WndProc(message, wParam, lParam);
    }

    void Paint(HDC dc) override {
        DrawIcon(dc, Layout().Scaled(kMargin), Layout().Scaled(kMargin), FIcon);
    }

private:
    // Text size in design pixels, wrapped within half the screen's width.
    SIZE MeasureText(const std::string& text, int* maxButtonText) const {
        TWindowDC screen;
        TSelectObject font(screen, Layout().DefaultFont);
        RECT r = {0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
        DrawTextA(screen, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        *maxButtonText = 0;
        for (const TButtonKind& b : kButtons) {
            RECT br = {0, 0, 0, 0};
            DrawTextA(screen, b.Caption, -1, &br, DT_CALCRECT | DT_SINGLELINE);
            *maxButtonText = std::max<int>(*maxButtonText, br.right);
        }
        auto design = [&](LONG pixels) {
            return static_cast<LONG>(std::ceil(pixels / Layout().Scale)) + 1;
        };
        *maxButtonText = design(*maxButtonText);
        return {design(r.right), design(r.bottom)};
    }

    void Build(const std::string& text, TMsgDlgButtons buttons) {
        int buttonText;
        SIZE textSize = MeasureText(text, &buttonText);
        int buttonWidth = std::max(kMinButtonWidth, buttonText + 16);
        int count = 0;
        for (size_t i = 0; i < kButtons.size(); ++i)
            count += (buttons >> i) & 1;
        int rowWidth = count * buttonWidth + std::max(count - 1, 0) * kButtonGap;
        int textLeft = kMargin + kIconSize + kMargin;
        int textHeight = std::max<int>(textSize.cy, kIconSize);
        int width = std::max<int>(textLeft + textSize.cx + kMargin, rowWidth + 2 * kMargin);
        int buttonTop = kMargin + textHeight + kMargin + 4;
        CreateForm(width, buttonTop + kButtonHeight + kMargin);

        auto label = std::make_unique<TLabel>();
        label->SetCaption(text);
        label->SetAutoSize(false);
        label->SetShowAccelChar(false);
        label->SetDesignBounds(textLeft, kMargin, textSize.cx, textSize.cy);
        Add(std::move(label), this);

        int left = (width - rowWidth) / 2;
        for (size_t i = 0; i < kButtons.size(); ++i) {
            if (!((buttons >> i) & 1))
                continue;
            auto button = std::make_unique<TButton>();
            button->SetCaption(kButtons[i].Caption);
            button->SetDesignBounds(left, buttonTop, buttonWidth, kButtonHeight);
            button->SetRoles(i == DefaultButton(buttons), i == CancelButton(buttons));
            int result = kButtons[i].Result;
            button->OnClick = [this, result](TControl&) { SetModalResult(result); };
            TButton* b = Add(std::move(button), this);
            if (b->IsDefault())
                SetActiveControl(b);
            left += buttonWidth + kButtonGap;
        }
        if (!RoleButton(true))
            EnableMenuItem(GetSystemMenu(Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    }

    static size_t FirstOf(TMsgDlgButtons buttons, std::initializer_list<TMsgDlgBtn> order) {
        for (TMsgDlgBtn b : order)
            if ((buttons >> b) & 1)
                return b;
        return kButtons.size();
    }
    static size_t DefaultButton(TMsgDlgButtons buttons) {
        return FirstOf(buttons, {mbOK, mbYes, mbRetry});
    }
    static size_t CancelButton(TMsgDlgButtons buttons) {
        return FirstOf(buttons, {mbCancel, mbNo, mbOK});
    }

    HICON FIcon;
};

} // namespace

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
    return TMessageForm(text, type, buttons).ShowModal();
}
