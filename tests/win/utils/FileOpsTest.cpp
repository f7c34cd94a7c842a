#include "Scratch.h"

#include "utils/Handles.h"

#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Each test starts with an empty install log and logging on, and leaves no log behind.
class InstallLogTest : public testing::Test {
protected:
    void SetUp() override {
        InstallLog = std::make_unique<TStringList>();
        LogSuppressCount = 0;
    }
    void TearDown() override {
        InstallLog.reset();
        LogSuppressCount = 0;
    }

    static std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (int32_t i = 0; i < InstallLog->Count(); ++i)
            lines.push_back((*InstallLog)[i]);
        return lines;
    }
};

using TLines = std::vector<std::string>;

} // namespace

TEST_F(InstallLogTest, LogLineKeepsTheFirstOfLinesEqualButForCase) {
    LogLine("File Copy: C:\\Corvella\\cwp.exe");
    LogLine("Made Dir: C:\\Corvella\\");
    LogLine("FILE COPY: c:\\corvella\\CWP.EXE");
    EXPECT_EQ(Lines(), (TLines{"File Copy: C:\\Corvella\\cwp.exe", "Made Dir: C:\\Corvella\\"}));
}

TEST_F(InstallLogTest, LinesOfAnEarlierLogCountAsPresent) {
    TScratchFolder scratch;
    WriteTestFile(scratch.Path() + "Install.log",
                  "Made Dir: C:\\Corvella\\\r\nFile Copy: C:\\Corvella\\cwp.exe\r\n");
    InstallLog->LoadFromFile(scratch.Path() + "Install.log");
    LogLine("file copy: C:\\Corvella\\cwp.exe");
    LogLine("File Copy: C:\\Corvella\\Hyphen.dll");
    EXPECT_EQ(Lines(), (TLines{"Made Dir: C:\\Corvella\\", "File Copy: C:\\Corvella\\cwp.exe",
                               "File Copy: C:\\Corvella\\Hyphen.dll"}));
}

TEST_F(InstallLogTest, SuspensionsNest) {
    SuspendLogging();
    SuspendLogging();
    LogLine("one");
    ResumeLogging();
    LogLine("two");
    ResumeLogging();
    LogLine("three");
    EXPECT_EQ(Lines(), TLines{"three"});
}

TEST(InstallLog, NothingIsLoggedBeforeTheLogExists) {
    ASSERT_FALSE(InstallLog);
    LogLine("File Copy: C:\\Corvella\\cwp.exe");
    EXPECT_FALSE(InstallLog);
}

TEST_F(InstallLogTest, ForceFolderLogsEachNewFolderOnceParentsFirst) {
    TScratchFolder scratch;
    std::string a = scratch.Path() + "A\\";
    ForceFolder(a + "B\\C\\");
    EXPECT_TRUE(FolderExists(a + "B\\C\\"));
    ForceFolder(a + "B\\C\\");
    ForceFolder(a + "B\\D"); // logged as given, without a trailing backslash
    EXPECT_EQ(Lines(), (TLines{"Made Dir: " + a, "Made Dir: " + a + "B\\",
                               "Made Dir: " + a + "B\\C\\", "Made Dir: " + a + "B\\D"}));
}

TEST_F(InstallLogTest, ForceFolderCreatesWithoutLoggingWhileSuspended) {
    TScratchFolder scratch;
    SuspendLogging();
    SuspendLogging();
    ForceFolder(scratch.Path() + "A\\");
    ResumeLogging();
    ForceFolder(scratch.Path() + "A\\B\\");
    ResumeLogging();
    ForceFolder(scratch.Path() + "A\\B\\C\\");
    EXPECT_TRUE(FolderExists(scratch.Path() + "A\\B\\C\\"));
    EXPECT_EQ(Lines(), TLines{"Made Dir: " + scratch.Path() + "A\\B\\C\\"});
}

TEST_F(InstallLogTest, ForceFolderLogsEveryLevelItTriedOnAMissingDrive) {
    std::string drive = MissingDrive();
    ForceFolder(drive + "\\A\\B\\");
    EXPECT_FALSE(FolderExists(drive + "\\A\\B\\"));
    EXPECT_EQ(Lines(), (TLines{"Made Dir: " + drive + "\\A\\", "Made Dir: " + drive + "\\A\\B\\"}));
}

TEST_F(InstallLogTest, ForceFolderIgnoresPathsThatAreNotAbsolute) {
    TScratchFolder scratch;
    PushCurrentDir();
    SetCurrentDirectoryA(scratch.Path().c_str());
    for (const char* path : {"", "Relative\\", "\\Rooted\\", "C:Relative\\", "C:\\A\\..\\B\\"})
        ForceFolder(path);
    PopCurrentDir();
    EXPECT_FALSE(FolderExists(scratch.Path() + "Relative"));
    EXPECT_FALSE(FolderExists("C:\\B\\"));
    EXPECT_EQ(Lines(), TLines{});
}

TEST(DeleteTree, LeavesAReadOnlyFileAndTheFoldersAboveIt) {
    TScratchFolder scratch;
    std::string tree = scratch.Path() + "Tree\\";
    CreateDirectoryA(tree.c_str(), nullptr);
    CreateDirectoryA((tree + "Kept").c_str(), nullptr);
    CreateDirectoryA((tree + "Gone").c_str(), nullptr);
    CreateDirectoryA((tree + "Gone\\Deeper").c_str(), nullptr);
    WriteTestFile(tree + "Gone\\Deeper\\file.txt", "x");
    WriteTestFile(tree + "hidden.txt", "x");
    SetFileAttributesA((tree + "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    std::string readOnly = tree + "Kept\\read-only.txt";
    WriteTestFile(readOnly, "x");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);

    DeleteTree(tree);
    EXPECT_TRUE(FileExists(readOnly));
    EXPECT_FALSE(FolderExists(tree + "Gone"));
    EXPECT_FALSE(FileExists(tree + "hidden.txt"));

    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteTree(tree.substr(0, tree.size() - 1)); // also without the trailing backslash
    EXPECT_FALSE(FolderExists(tree));
}

TEST(DeleteTree, IgnoresPathsThatAreNotAbsolute) {
    TScratchFolder scratch;
    WriteTestFile(scratch.Path() + "kept.txt", "x");
    PushCurrentDir();
    SetCurrentDirectoryA(scratch.Path().c_str());
    for (const char* path : {"", ".", "..\\", "\\"})
        DeleteTree(path);
    PopCurrentDir();
    EXPECT_TRUE(FileExists(scratch.Path() + "kept.txt"));
}

TEST(WriteTextFile, CreatesOrReplacesTheWholeFile) {
    TScratchFolder scratch;
    std::string path = scratch.Path() + "install_stamp";
    std::string stamp("\x00\x00\x00\x00\x90\xA4\xE3\x40", 8);
    WriteTextFile(path, "a longer content than the stamp");
    WriteTextFile(path, stamp);
    EXPECT_EQ(ReadTestFile(path), stamp);
    WriteTextFile(scratch.Path() + "Missing\\file.txt", "x");
    EXPECT_FALSE(FileExists(scratch.Path() + "Missing\\file.txt"));
}

namespace {

struct TLinkFields {
    std::string Target, Folder, Description;
};

TLinkFields ReadLink(const std::string& path) {
    TLinkFields fields;
    TComPtr<IShellLinkA> link;
    TComPtr<IPersistFile> file;
    std::wstring widePath(path.begin(), path.end());
    char text[MAX_PATH] = {};
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.Receive())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.Receive())) ||
        FAILED(file->Load(widePath.c_str(), STGM_READ)))
        return fields;
    link->GetPath(text, MAX_PATH, nullptr, 0);
    fields.Target = text;
    link->GetWorkingDirectory(text, MAX_PATH);
    fields.Folder = text;
    link->GetDescription(text, MAX_PATH);
    fields.Description = text;
    return fields;
}

} // namespace

TEST_F(InstallLogTest, CreateShortcutMakesItsFolderAndLogsTheLink) {
    TScratchFolder scratch;
    std::string target = scratch.Path() + "Corvella\\cwp.exe";
    ForceFolder(scratch.Path() + "Corvella\\");
    WriteTestFile(target, "MZ");
    InstallLog->Clear();
    std::string link = scratch.Path() + "Menu\\Programs\\Corvella Word Processor.lnk";
    const char* description = "Compact, fast-loading, but still powerful and efficient word "
                              "processor.";

    ASSERT_TRUE(CreateShortcut(link, target, scratch.Path() + "Corvella", description));
    TLinkFields fields = ReadLink(link);
    EXPECT_TRUE(TextsEqual(fields.Target, target)) << fields.Target;
    EXPECT_EQ(fields.Folder, scratch.Path() + "Corvella");
    EXPECT_EQ(fields.Description, description);
    EXPECT_EQ(Lines(),
              (TLines{"Made Dir: " + scratch.Path() + "Menu\\",
                      "Made Dir: " + scratch.Path() + "Menu\\Programs\\", "File Copy: " + link}));
}

TEST_F(InstallLogTest, AShortcutThatIsNotSavedIsNotLogged) {
    std::string drive = MissingDrive();
    EXPECT_FALSE(
        CreateShortcut(drive + "\\Menu\\Corvella Word Processor.lnk", "C:\\cwp.exe", "C:\\", "d"));
    EXPECT_EQ(Lines(), (TLines{"Made Dir: " + drive + "\\Menu\\"}));
    // Without a folder the link would land in the current directory: refused.
    EXPECT_FALSE(CreateShortcut("Corvella Word Processor.lnk", "C:\\cwp.exe", "C:\\", "d"));
    EXPECT_FALSE(CreateShortcut("\\Corvella Word Processor.lnk", "C:\\cwp.exe", "C:\\", "d"));
    EXPECT_FALSE(FileExists("Corvella Word Processor.lnk"));
    EXPECT_EQ(Lines().size(), 1u);
}

TEST(DeleteTempLeftovers, RemovesWhatStartsWithThePrefixInItsLetterCase) {
    TScratchFolder scratch;
    TTempFolderOverride temp(scratch.Path());
    std::string prefix = scratch.Path() + "~CorvellaWordProcessorSetup";
    WriteTestFile(prefix + "0.tmp", "licence");
    CreateDirectoryA((prefix + "Folder").c_str(), nullptr);
    WriteTestFile(prefix + "Folder\\inner.txt", "x");
    std::string lowerCase = scratch.Path() + "~corvellawordprocessorsetup1.tmp";
    std::string other = scratch.Path() + "other.tmp";
    WriteTestFile(lowerCase, "x");
    WriteTestFile(other, "x");

    DeleteTempLeftovers();
    EXPECT_FALSE(FileExists(prefix + "0.tmp"));
    EXPECT_FALSE(FolderExists(prefix + "Folder"));
    EXPECT_TRUE(FileExists(lowerCase));
    EXPECT_TRUE(FileExists(other));
}
