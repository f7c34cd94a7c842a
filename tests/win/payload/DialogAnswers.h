// Answers the message dialogs that the code under test shows on this thread, as a user would:
// one answer per dialog, in order, pressing the button with the answer's caption. The texts
// the dialogs showed are kept.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct TDialogAnswer {
    const char* Button;           // caption, "&Abort"
    std::function<void()> Before; // run just before the button is pressed
};

class TDialogAnswers {
public:
    explicit TDialogAnswers(std::vector<TDialogAnswer> answers);
    TDialogAnswers(const TDialogAnswers&) = delete;
    TDialogAnswers& operator=(const TDialogAnswers&) = delete;
    ~TDialogAnswers();

    // What each dialog said, line ends as the code gave them (single carriage returns).
    const std::vector<std::string>& Texts() const { return FTexts; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Answer(HWND dialog);

    std::vector<TDialogAnswer> FAnswers;
    std::vector<std::string> FTexts;
    UINT_PTR FTimer;
};
