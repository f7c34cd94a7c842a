// The licence page: the licence extracted from the payload into a temporary file that does not
// outlive the program, and the Abort, Retry and Ignore question when that file cannot be made.
#include "Wizard.h"

#include <fstream>
#include <iterator>

namespace {

std::string TempName(int n) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "~CorvellaWordProcessorSetup" + std::to_string(n) + ".tmp";
}

// The setup's files in the temporary folder.
int TempLeftovers() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    WIN32_FIND_DATAA found;
    HANDLE search =
        FindFirstFileA((std::string(folder) + "~CorvellaWordProcessorSetup*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do
        ++count;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

std::string SampleLicence() {
    std::ifstream in(BuildPath("payload\\sample\\License.txt"), std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(in), {});
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

class Licence : public Wizard {
protected:
    HWND Memo() const { return FindChild(FWindow, "Edit"); }
    void Quit() {
        Press("Cancel");
        HWND question = WaitForDialog("Confirm");
        ASSERT_NE(question, nullptr);
        Click(FindChild(question, "Button", "&Abort"));
        EXPECT_EQ(FSetup->WaitForExit(), 0u);
    }
};

TEST_F(Licence, ShowsTheProductsLicenceWrappedAndLeavesNoCopy) {
    ASSERT_EQ(TempLeftovers(), 0);
    Start();
    Press("&Next >");
    ASSERT_TRUE(OnPage("License Agreement"));
    ASSERT_TRUE(WaitFor([&] { return !WindowText(Memo()).empty(); }));
    std::string licence = SampleLicence();
    ASSERT_EQ(licence.size() + 2, 2228u) << "the sample licence ends with one line end";
    EXPECT_EQ(WindowText(Memo()), licence);
    LONG_PTR style = GetWindowLongPtrA(Memo(), GWL_STYLE);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_FALSE(style & (WS_HSCROLL | ES_AUTOHSCROLL)) << "long lines wrap";
    int lines = static_cast<int>(SendMessageA(Memo(), EM_GETLINECOUNT, 0, 0));
    EXPECT_GT(lines, std::count(licence.begin(), licence.end(), '\n') + 1) << "lines wrapped";
    EXPECT_EQ(TempLeftovers(), 0) << "the copy is deleted once shown";
    Screenshot(FWindow, "page1-licence-text");

    Press("< &Back");
    ASSERT_TRUE(OnPage("Welcome to the Corvella Word Processor Setup"));
    Press("&Next >");
    ASSERT_TRUE(OnPage("License Agreement"));
    EXPECT_EQ(WindowText(Memo()), licence);
    Quit();
    EXPECT_EQ(TempLeftovers(), 0);
}

TEST_F(Licence, AFolderInTheWayAsksAbortRetryOrIgnore) {
    ASSERT_TRUE(CreateDirectoryA(TempName(0).c_str(), nullptr));
    Start();
    Press("&Next >");
    HWND error = WaitForDialog("Error");
    ASSERT_NE(error, nullptr);
    std::string expected = "Cannot create file \"" + TempName(0) +
                           "\".\r\nAnother application might already be using this file.\r\n";
    ASSERT_FALSE(StaticTexts(error).empty());
    EXPECT_EQ(StaticTexts(error).front().substr(0, expected.size()), expected);
    for (const char* button : {"&Abort", "&Retry", "&Ignore"})
        EXPECT_NE(FindChild(error, "Button", button), nullptr) << button;
    Screenshot(error, "licence-write-error");
    RemoveDirectoryA(TempName(0).c_str());
    Answer(error, "&Retry");
    ASSERT_TRUE(OnPage("License Agreement"));
    EXPECT_TRUE(WaitFor([&] { return WindowText(Memo()) == SampleLicence(); }));
    Quit();
    EXPECT_EQ(TempLeftovers(), 0);
}

TEST_F(Licence, AbortInTheWriteErrorEndsWithoutAQuestion) {
    ASSERT_TRUE(CreateDirectoryA(TempName(0).c_str(), nullptr));
    Start();
    Press("&Next >");
    HWND error = WaitForDialog("Error");
    ASSERT_NE(error, nullptr);
    Click(FindChild(error, "Button", "&Abort"));
    EXPECT_EQ(FSetup->WaitForExit(), 0u);
    EXPECT_FALSE(KeyHasValues(HKEY_CURRENT_USER, kInstallKey));
    RemoveDirectoryA(TempName(0).c_str());
    EXPECT_EQ(TempLeftovers(), 0);
}

} // namespace
