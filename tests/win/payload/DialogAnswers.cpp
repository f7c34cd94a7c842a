#include "DialogAnswers.h"

namespace {

// Timer procedures get no context; one answerer works at a time.
TDialogAnswers* Current = nullptr;

std::string WindowText(HWND window) {
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct TFound {
    HWND Window = nullptr;
    std::string Text;
};

const char kAnswered[] = "CorvellaTestAnswered";

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    // A message dialog not answered yet: a visible top-level window with push buttons.
    if (!IsWindowVisible(window) || GetPropA(window, kAnswered) ||
        !FindWindowExA(window, nullptr, "Button", nullptr))
        return TRUE;
    reinterpret_cast<TFound*>(found)->Window = window;
    return FALSE;
}

BOOL CALLBACK FindChild(HWND window, LPARAM found) {
    auto* f = reinterpret_cast<TFound*>(found);
    if (_stricmp(ClassOf(window).c_str(), "Static") == 0 && f->Text.empty())
        f->Text = WindowText(window);
    return TRUE;
}

// The dialog shows line breaks as CR LF; the code gave single CRs.
std::string WithoutLineFeeds(std::string text) {
    std::erase(text, '\n');
    return text;
}

} // namespace

TDialogAnswers::TDialogAnswers(std::vector<TDialogAnswer> answers)
    : FAnswers(std::move(answers)), FTimer(SetTimer(nullptr, 0, 30, Tick)) {
    Current = this;
}

TDialogAnswers::~TDialogAnswers() {
    KillTimer(nullptr, FTimer);
    Current = nullptr;
}

void CALLBACK TDialogAnswers::Tick(HWND, UINT, UINT_PTR, DWORD) {
    TFound dialog;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (Current && dialog.Window)
        Current->Answer(dialog.Window);
}

void TDialogAnswers::Answer(HWND dialog) {
    // The mark goes with the window; a new dialog never has it.
    SetPropA(dialog, kAnswered, dialog);
    TFound label;
    EnumChildWindows(dialog, FindChild, reinterpret_cast<LPARAM>(&label));
    FTexts.push_back(WithoutLineFeeds(label.Text));
    // A dialog beyond the planned answers is aborted, so that a fault cannot hang the test.
    TDialogAnswer answer = FTexts.size() <= FAnswers.size() ? FAnswers[FTexts.size() - 1]
                                                            : TDialogAnswer{"&Abort", nullptr};
    if (answer.Before)
        answer.Before();
    if (HWND button = FindWindowExA(dialog, nullptr, "Button", answer.Button))
        SendMessageA(button, BM_CLICK, 0, 0);
}
