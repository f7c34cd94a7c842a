// The wizard's logic on a hidden form: the page table, the destination clean-up, the pages by
// tag and the running-instance check.
#include "wizard/MainDlg.h"
#include "payload/AttachFiles.h"
#include "utils/InstUtils.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

// Shown by its own style: the hidden form's controls are never visible on the screen.
bool Shown(HWND window) {
    return (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

class Wizard : public ::testing::Test {
protected:
    void SetUp() override {
        static bool registered = (RegisterControlClasses(), true);
        (void)registered;
        // As at start-up: the reader exists before the wizard and goes after it.
        AttachedFiles = std::make_unique<TAttachedFiles>();
        FForm = std::make_unique<TMainDlgForm>();
    }
    void TearDown() override {
        FForm.reset();
        AttachedFiles.reset();
    }
    template <typename T> T* Control(const char* name) { return FForm->Find<T>(name); }

    std::unique_ptr<TMainDlgForm> FForm;
};

TEST_F(Wizard, EveryPageSetsItsTitleButtonsAndSheet) {
    struct Page {
        const char* Title;
        bool BackVisible, BackEnabled, NextEnabled;
        const char* NextCaption;
        bool CancelEnabled;
    } pages[] = {
        {"Welcome to the Corvella Word Processor Setup", false, true, true, "&Next >", true},
        {"License Agreement", true, true, true, "&Next >", true},
        {"Choose Destination Folder", true, true, true, "&Next >", true},
        {"Select Components", true, true, true, "&Next >", true},
        {"Ready to Install", true, true, true, "&Next >", true},
        {"Installing", true, false, false, "&Next >", true},
        {"Associate With Document Types", true, false, true, "&Next >", true},
        {"Installation Complete", true, false, true, "&Finish", false},
    };
    for (uint8_t p = 0; p < 8; ++p) {
        SCOPED_TRACE(static_cast<int>(p));
        if (p > 0)
            FForm->ChangePage(p - 1, p);
        const Page& e = pages[p];
        EXPECT_EQ(Control<TLabel>("TopLbl")->Caption(), e.Title);
        auto* back = Control<TButton>("BackBtn");
        auto* next = Control<TButton>("NextBtn");
        auto* cancel = Control<TButton>("CancelBtn");
        EXPECT_EQ(Shown(back->Handle()), e.BackVisible);
        EXPECT_EQ(back->Enabled(), e.BackEnabled);
        EXPECT_EQ(back->Caption(), "< &Back");
        EXPECT_EQ(next->Enabled(), e.NextEnabled);
        EXPECT_EQ(next->Caption(), e.NextCaption);
        EXPECT_EQ(cancel->Enabled(), e.CancelEnabled);
        EXPECT_EQ(cancel->Caption(), "Cancel");
        auto* pages = Control<TPageControl>("PgCtrl");
        EXPECT_EQ(pages->ActivePage(), FForm->FindPageByTag(p));
        for (TTabSheet* sheet : pages->Pages())
            EXPECT_EQ(Shown(sheet->Handle()), sheet == pages->ActivePage());
    }
    FForm->ChangePage(7, 8);
    EXPECT_EQ(FForm->ModalResult(), 1) << "Finish ends the wizard with OK";
}

TEST_F(Wizard, BackReturnsThePagesInOrder) {
    for (uint8_t p = 1; p <= 4; ++p)
        FForm->ChangePage(p - 1, p);
    for (uint8_t p = 4; p > 0; --p) {
        FForm->ChangePage(p, p - 1);
        EXPECT_EQ(Control<TPageControl>("PgCtrl")->ActivePage()->Tag, p - 1);
    }
}

TEST_F(Wizard, FindPageByTagTakesTheTagAsOneByte) {
    const char* const names[] = {"WelcomeTabSheet", "LicenseTabSheet", "DestDirTabSheet",
                                 "SelCompTabSheet", "StartTabSheet",   "InstallingTabSheet",
                                 "AssocTabSheet",   "FinishTabSheet"};
    for (uint8_t p = 0; p < 8; ++p)
        EXPECT_EQ(FForm->FindPageByTag(p), Control<TTabSheet>(names[p]));
    EXPECT_EQ(FForm->FindPageByTag(8), nullptr);
    EXPECT_EQ(FForm->FindPageByTag(255), nullptr);
}

TEST_F(Wizard, NormalizeDestDirCleansTheTypedFolder) {
    std::string programFiles = SpecialFolder(CSIDL_PROGRAM_FILES);
    std::string lowerProgramFiles = programFiles;
    CharLowerA(lowerProgramFiles.data());
    const std::pair<std::string, std::string> cases[] = {
        {"  D:\\Apps\\Editor\\  ", "D:\\Apps\\Editor"},
        {"D:\\", "D:\\Corvella"},
        {"D:", "D:\\Corvella"},
        {programFiles, programFiles + "\\Corvella"},
        {lowerProgramFiles + "\\", lowerProgramFiles + "\\Corvella"},
        {"Editor", "c:\\Corvella"},
        {"", "c:\\Corvella"},
        {"    ", "c:\\Corvella"},
        {"\\Apps", "c:\\Corvella"},
        {"\\\\server\\share\\", "\\\\server\\share"},
        {"\\\\server\\", "c:\\Corvella"},
        {"\tD:\\Tab", "c:\\Corvella"},
    };
    auto* edit = Control<TEdit>("DestDirEdt");
    for (const auto& [typed, expected] : cases) {
        SCOPED_TRACE(typed);
        edit->SetText(typed);
        FForm->NormalizeDestDir();
        EXPECT_EQ(edit->Text(), expected);
    }
}

TEST_F(Wizard, LeavingTheDestinationPageFixesTheDestination) {
    FForm->ChangePage(0, 1);
    FForm->ChangePage(1, 2);
    Control<TEdit>("DestDirEdt")->SetText(" E:\\Target\\ ");
    FForm->ChangePage(2, 3);
    EXPECT_EQ(FForm->DestDir(), "E:\\Target");
}

TEST(IsProgramRunning, LooksForTheMarkerOnTopLevelWindows) {
    EXPECT_FALSE(IsProgramRunning());
    HWND window = CreateWindowA("STATIC", "marked", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
    SetPropA(window, "1.x Birch Gale", reinterpret_cast<HANDLE>(1));
    EXPECT_TRUE(IsProgramRunning());
    RemovePropA(window, "1.x Birch Gale");
    SetPropA(window, "1.x Birch Gale", nullptr);
    EXPECT_FALSE(IsProgramRunning()) << "a marker of value zero does not count";
    DestroyWindow(window);
}

} // namespace
