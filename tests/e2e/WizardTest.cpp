// The wizard's navigation, its close question, the running-instance check, the refusal of old
// systems and the "-d" option, driven through setup.exe's windows.
#include "Wizard.h"
#include "imaging/PNG.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace {

TEST_F(Wizard, WelcomePageLeadsToTheLicenceAndBack) {
    Start();
    ASSERT_TRUE(OnPage("Welcome to the Corvella Word Processor Setup"));
    EXPECT_TRUE(Contains(StaticTexts(FWindow),
                         "This program will install Corvella Word Processor (version 3.3.2.0) on "
                         "your computer.\r\r\r\r\rClick Next to continue. Click Cancel to quit "
                         "Setup."));
    EXPECT_EQ(Button("< &Back"), nullptr) << "Back is hidden on the welcome page";
    ASSERT_NE(Button("&Next >"), nullptr);
    ASSERT_NE(Button("Cancel"), nullptr);
    Screenshot(FWindow, "page0-welcome");

    Press("&Next >");
    ASSERT_TRUE(OnPage("License Agreement"));
    ASSERT_NE(Button("< &Back"), nullptr);
    Screenshot(FWindow, "page1-licence");
    Press("< &Back");
    EXPECT_TRUE(OnPage("Welcome to the Corvella Word Processor Setup"));
}

// A taller dialog font scales the whole window; the standard one keeps 492 x 351.
TEST_F(Wizard, WindowScalesWithTheDialogFont) {
    const char desktop[] = "Control Panel\\Desktop";
    for (DWORD dpi : {96u, 144u}) {
        SCOPED_TRACE(dpi);
        SetDwordValue(HKEY_CURRENT_USER, desktop, "LogPixels", dpi);
        Start();
        RECT client;
        GetClientRect(FWindow, &client);
        double scale = std::max(1.0, DialogTextHeight(static_cast<int>(dpi)) / 13.0);
        EXPECT_EQ(client.right, std::lround(492 * scale));
        EXPECT_EQ(client.bottom, std::lround(351 * scale));
        if (dpi == 96)
            EXPECT_EQ(scale, 1.0) << "Wine's dialog text is under 13 pixels high";
        else
            EXPECT_GT(scale, 1.0);
        Screenshot(FWindow, "page0-at-" + std::to_string(dpi) + "dpi");
        FSetup.reset();
    }
    SetDwordValue(HKEY_CURRENT_USER, desktop, "LogPixels", 96);
}

TEST_F(Wizard, DecliningTheLicenceAsksBeforeEnding) {
    Start();
    Press("&Next >");
    ASSERT_TRUE(OnPage("License Agreement"));
    HWND accept =
        FindChild(FWindow, "Button", "I &accept all the terms of the above License Agreement");
    ASSERT_TRUE(IsChecked(accept)) << "the licence starts accepted";
    Click(accept);
    ASSERT_TRUE(WaitFor([&] { return !IsChecked(accept); }));
    const char decline[] = "To install this program, you need to agree to all the terms\r\nof the "
                           "Corvella Word Processor License Agreement.\r\nDo you really want to "
                           "cancel the Corvella install?";
    Press("&Next >");
    HWND question = WaitForDialog("Information");
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(Contains(StaticTexts(question), decline));
    Answer(question, "&No");
    EXPECT_TRUE(OnPage("License Agreement"));

    Press("&Next >");
    question = WaitForDialog("Information");
    ASSERT_NE(question, nullptr);
    Click(FindChild(question, "Button", "&Yes"));
    EXPECT_EQ(FSetup->WaitForExit(), 0u);
    EXPECT_FALSE(KeyHasValues(HKEY_CURRENT_USER, kInstallKey));
}

// Started from a download folder that holds DLLs named like system ones, the setup loads none
// of them, even when Wine is told to prefer such DLLs to its own.
TEST_F(Wizard, PlantedLibrariesBesideTheProgramAreNeverLoaded) {
    std::string folder = BuildPath("tests\\e2e\\planted");
    CreateDirectoryA(folder.c_str(), nullptr);
    const char* const planted[] = {"shell32", "shfolder", "mpr"};
    std::string overrides = "WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d";
    for (const char* name : planted) {
        std::string dll = folder + "\\" + name + ".dll";
        ASSERT_TRUE(CopyFileA(BuildPath("tests\\e2e\\marker.dll").c_str(), dll.c_str(), FALSE));
        DeleteFileA((dll + ".loaded").c_str());
        overrides += std::string(";") + name + "=n,b";
    }
    ASSERT_TRUE(CopyFileA(BuildPath("src\\startup\\setup.exe").c_str(),
                          (folder + "\\setup.exe").c_str(), FALSE));
    FSetup = std::make_unique<TProcess>(folder + "\\setup.exe", "", std::vector{overrides});
    FWindow = FSetup->WaitForWindow(kCaption);
    ASSERT_NE(FWindow, nullptr);
    Press("&Next >");
    ASSERT_TRUE(OnPage("License Agreement"));
    Press("&Next >");
    ASSERT_TRUE(OnPage("Choose Destination Folder"));
    for (const char* name : planted)
        EXPECT_EQ(GetFileAttributesA((folder + "\\" + name + ".dll.loaded").c_str()),
                  INVALID_FILE_ATTRIBUTES)
            << name << ".dll beside the program was loaded";
}

TEST_F(Wizard, KeyboardWorksAsInADialog) {
    Start();
    ASSERT_TRUE(OnPage("Welcome to the Corvella Word Processor Setup"));
    PressKey(Thread(), VK_RETURN);
    ASSERT_TRUE(OnPage("License Agreement")) << "Enter presses Next";
    HWND memo = FindChild(FWindow, "Edit");
    HWND accept =
        FindChild(FWindow, "Button", "I &accept all the terms of the above License Agreement");
    ASSERT_NE(accept, nullptr);
    EXPECT_TRUE(WaitFor([&] { return FocusOf(Thread()) == memo; })) << "the licence has the focus";
    PressKey(Thread(), VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return FocusOf(Thread()) == accept; })) << "Tab moves on";
    PressAccessKey(Thread(), 'a');
    EXPECT_TRUE(WaitFor([&] { return !IsChecked(accept); })) << "Alt+A toggles the box";
    PressAccessKey(Thread(), 'b');
    EXPECT_TRUE(OnPage("Welcome to the Corvella Word Processor Setup")) << "Alt+B presses Back";
}

// The logos are drawn with the colours of their own palettes, pixel for pixel.
TEST_F(Wizard, LogosShowTheirPaletteColours) {
    Start();
    ASSERT_TRUE(OnPage("Welcome to the Corvella Word Processor Setup"));
    // The file, and the size of the image control that shows it.
    for (const auto& [file, width, height] :
         {std::tuple{"logo.png", 120, 260}, std::tuple{"logosmall.png", 34, 34}}) {
        SCOPED_TRACE(file);
        std::ifstream in(std::string(CORVELLA_SOURCE_DIR "/src/resources/") + file,
                         std::ios::binary);
        TMemoryStream png(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}));
        TPNGImage logo;
        logo.LoadFromStream(png);
        HWND picture = nullptr;
        for (HWND w : VisibleChildren(FWindow)) {
            RECT r;
            GetClientRect(w, &r);
            if (ClassOf(w) == "CorvellaWindow" && r.right == width && r.bottom == height)
                picture = w;
        }
        ASSERT_NE(picture, nullptr);
        // Read back from the screen: another program's window has no device context here.
        POINT origin = {0, 0};
        ClientToScreen(picture, &origin);
        HDC screen = GetDC(nullptr);
        int mismatches = 0;
        for (int y = 0; y < logo.Height(); y += 7)
            for (int x = 0; x < logo.Width(); x += 5) {
                TPaletteEntry c = logo.Palette()[logo.ScanLine(y)[x]];
                mismatches +=
                    GetPixel(screen, origin.x + x, origin.y + y) != RGB(c.Red, c.Green, c.Blue);
            }
        ReleaseDC(nullptr, screen);
        EXPECT_EQ(mismatches, 0);
    }
}

TEST_F(Wizard, EveryWayOfClosingAsksTheQuitQuestion) {
    Start();
    ASSERT_TRUE(OnPage("Welcome to the Corvella Word Processor Setup"));
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Cancel", [&] { Press("Cancel"); }},
        {"Esc", [&] { PressKey(Thread(), VK_ESCAPE); }},
        {"close box", [&] { PostMessageA(FWindow, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& [way, close] : ways) {
        SCOPED_TRACE(way);
        close();
        HWND question = WaitForDialog("Confirm");
        ASSERT_NE(question, nullptr);
        EXPECT_TRUE(Contains(StaticTexts(question), kQuitText));
        Answer(question, "&No");
        EXPECT_TRUE(OnPage("Welcome to the Corvella Word Processor Setup"));
        EXPECT_EQ(FSetup->WaitForExit(0ms), static_cast<DWORD>(STILL_ACTIVE));
    }

    Press("Cancel");
    HWND question = WaitForDialog("Confirm");
    ASSERT_NE(question, nullptr);
    Screenshot(question, "quit-question");
    Click(FindChild(question, "Button", "&Abort"));
    EXPECT_EQ(FSetup->WaitForExit(), 0u);
    EXPECT_FALSE(KeyHasValues(HKEY_CURRENT_USER, kInstallKey));
}

TEST_F(Wizard, RunningWordProcessorHoldsTheWizardOnTheWelcomePage) {
    TProcess wordProcessor(BuildPath("tools\\cwp.exe"), "");
    ASSERT_NE(wordProcessor.WaitForWindow("Corvella Word Processor (stand-in)"), nullptr);
    Start();
    Press("&Next >");
    HWND notice = WaitForDialog("Information");
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(Contains(StaticTexts(notice),
                         "A copy of Corvella Word Processor is already running on your "
                         "system.\r\nPlease close any running instance(s) of Corvella Word "
                         "Processor, then click OK in this dialog."));
    Answer(notice, "OK");
    EXPECT_TRUE(OnPage("Welcome to the Corvella Word Processor Setup"));
    EXPECT_FALSE(Contains(StaticTexts(FWindow), "License Agreement"));
}

TEST_F(Wizard, OlderSystemsGetOnlyTheRefusal) {
    for (const char* version : {"win98", "nt40"}) {
        SCOPED_TRACE(version);
        SetStringValue(HKEY_CURRENT_USER, kAppDefaults, "Version", version);
        TProcess setup(BuildPath("src\\startup\\setup.exe"), "");
        HWND box = setup.WaitForWindow("Error");
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(Contains(StaticTexts(box), "This program requires Windows 2000 or later."));
        EXPECT_EQ(setup.WaitForWindow(kCaption, 0ms), nullptr);
        Click(FindChild(box, "Button", "OK"));
        EXPECT_EQ(setup.WaitForExit(), 0u);
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kProductKey));
    }
}

TEST_F(Wizard, DestinationOptionOverridesTheSavedFolder) {
    SetStringValue(HKEY_CURRENT_USER, kInstallKey, "MAINDIR", "C:\\windows");
    Start("\"-dC:\\Some Place\\Corvella Test\"");
    Press("&Next >");
    ASSERT_TRUE(OnPage("License Agreement"));
    Press("&Next >");
    ASSERT_TRUE(OnPage("Choose Destination Folder"));
    HWND edit = FindChild(FWindow, "Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(WindowText(edit), "C:\\Some Place\\Corvella Test");
    Screenshot(FWindow, "page2-destination");
    Press("&Next >");
    ASSERT_TRUE(OnPage("Select Components"));
    Screenshot(FWindow, "page3-components");
    Press("&Next >");
    ASSERT_TRUE(OnPage("Ready to Install"));
    Screenshot(FWindow, "page4-ready");
}

} // namespace
