// The message dialog: every question and notice shown while the wizard exists. Built afresh
// for each message: a text, a dialog type and a set of buttons; returns the modal result of the
// pressed button.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation };

enum TMsgDlgBtn : uint8_t {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll
};

// A set of buttons, bit n standing for button n.
using TMsgDlgButtons = uint16_t;

constexpr TMsgDlgButtons Buttons(std::initializer_list<TMsgDlgBtn> buttons) {
    TMsgDlgButtons set = 0;
    for (TMsgDlgBtn b : buttons)
        set = static_cast<TMsgDlgButtons>(set | 1u << b);
    return set;
}

enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
};

// Shows the dialog modally on the calling (main) thread and returns the pressed button's
// modal result ("N&o to All" answers mrNone).
int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
