// The fixture of the end-to-end tests: setup.exe started and driven through its windows, with
// the product's registry key cleared before and after.
#pragma once

#include "Driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

inline const char kCaption[] = "Corvella Word Processor - Setup";
inline const char kProductKey[] = "Software\\Corvella Word Processor";
inline const char kInstallKey[] = "Software\\Corvella Word Processor\\Install";
inline const char kQuitText[] =
    "Setup is not complete. If you quit this setup program now,\r\nCorvella will not be "
    "correctly installed.\r\n\r\nYou may relaunch the setup program at a later time\r\nto "
    "complete the installation of Corvella.\r\n\r\nTo continue installing, click No.\r\nTo quit "
    "this setup program, click Abort.";

// Wine's per-program settings of setup.exe (the Windows version it reports).
inline const char kAppDefaults[] = "Software\\Wine\\AppDefaults\\setup.exe";

inline bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class Wizard : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override {
        FSetup.reset();
        Clean();
    }
    // Nothing a scenario wrote reaches the next one, not even when it stopped half-way.
    static void Clean() {
        DeleteKeyTree(HKEY_CURRENT_USER, kProductKey);
        DeleteKeyTree(HKEY_CURRENT_USER, kAppDefaults);
    }

    void Start(const std::string& arguments = "") {
        FSetup = std::make_unique<TProcess>(BuildPath("src\\startup\\setup.exe"), arguments);
        FWindow = FSetup->WaitForWindow(kCaption);
        ASSERT_NE(FWindow, nullptr)
            << "the wizard did not appear; the program shows: " << WindowCaptions();
    }

    std::string WindowCaptions() const {
        std::string captions;
        for (HWND w : FSetup->Windows())
            captions += "\"" + WindowText(w) + "\" ";
        return captions;
    }

    HWND Button(const std::string& caption) const { return FindChild(FWindow, "Button", caption); }
    void Press(const std::string& caption) {
        HWND button = Button(caption);
        ASSERT_NE(button, nullptr) << "no button " << caption;
        Click(button);
    }
    // Waits until the title band shows this page title.
    bool OnPage(const std::string& title) const {
        return WaitFor([&] { return Contains(StaticTexts(FWindow), title); });
    }
    HWND WaitForDialog(const std::string& caption) const {
        return FSetup->WaitForWindow(caption, 10s);
    }
    // Presses a dialog's button and waits until the dialog has gone.
    void Answer(HWND dialog, const std::string& button) {
        HWND b = FindChild(dialog, "Button", button);
        ASSERT_NE(b, nullptr) << "no button " << button;
        Click(b);
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
    }
    DWORD Thread() const { return GetWindowThreadProcessId(FWindow, nullptr); }

    std::unique_ptr<TProcess> FSetup;
    HWND FWindow = nullptr;
};
