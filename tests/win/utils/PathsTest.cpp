#include "Scratch.h"

#include "utils/Dates.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

std::string WindowsFolder() {
    char folder[MAX_PATH];
    UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder, length);
}

} // namespace

TEST(FolderExists, TakesAbsolutePathsWithBackslashesInAnyLetterCase) {
    std::string windows = WindowsFolder(); // "C:\windows" under Wine
    std::string upper = windows, lower = windows;
    CharUpperA(upper.data());
    CharLowerA(lower.data());
    struct Case {
        std::string path;
        bool exists;
    } cases[] = {
        {windows, true},
        {upper, true},
        {lower + "\\", true},
        {windows.substr(0, 2), true}, // the drive root: "C:" taken as "C:\"
        {windows.substr(0, 3), true},
        {windows.substr(0, 3) + "no-such-folder", false},
        {JoinPath(windows, "win.ini"), false}, // a file
        {windows.substr(0, 2) + "/" + windows.substr(3), false},
        {windows.substr(3), false}, // relative, although the current directory holds it
        {windows.substr(0, 2) + windows.substr(3), false},
        {JoinPath(windows, "system32\\.."), false},
        {JoinPath(windows, ".\\system32"), false},
        {windows + "\\\\", false},
        {"", false},
    };
    PushCurrentDir();
    SetCurrentDirectoryA(windows.substr(0, 3).c_str());
    for (const Case& c : cases)
        EXPECT_EQ(FolderExists(c.path), c.exists) << c.path;
    PopCurrentDir();
}

TEST(CurrentDir, PushAndPopReturnToTheFormerDirectory) {
    std::string windows = WindowsFolder();
    std::string start = CurrentDirPath();
    EXPECT_EQ(LastChar(start), '\\');
    PushCurrentDir();
    SetCurrentDirectoryA(windows.substr(0, 3).c_str());
    EXPECT_EQ(CurrentDirPath(), windows.substr(0, 3)); // a root keeps its one backslash
    PushCurrentDir();
    SetCurrentDirectoryA(windows.c_str());
    EXPECT_TRUE(TextsEqual(CurrentDirPath(), windows + "\\"));
    PopCurrentDir();
    EXPECT_EQ(CurrentDirPath(), windows.substr(0, 3));
    PopCurrentDir();
    EXPECT_EQ(CurrentDirPath(), start);
    PopCurrentDir(); // nothing left: nothing happens
    EXPECT_EQ(CurrentDirPath(), start);
}

TEST(TextComparison, IgnoresLetterCase) {
    EXPECT_TRUE(TextsEqual("c:\\Program Files\\Corvella", "C:\\PROGRAM FILES\\corvella"));
    EXPECT_FALSE(TextsEqual("Corvella", "Corvella "));
    EXPECT_FALSE(TextsEqual("a", "b"));
    EXPECT_EQ(CompareLogLines("File Copy: C:\\A\\x.txt", "file copy: c:\\a\\X.TXT"), 0);
    EXPECT_LT(CompareLogLines("a", "B"), 0);
    EXPECT_GT(CompareLogLines("b", "A"), 0);
    EXPECT_LT(CompareLogLines("abc", "abcd"), 0);
}

TEST(TempFolder, IsTheSystemsOrElseTheDocumentsFolder) {
    std::string system = TempFolder();
    EXPECT_EQ(LastChar(system), '\\');
    EXPECT_TRUE(FolderExists(system)) << system;

    TTempFolderOverride missing(WindowsFolder().substr(0, 3) + "no-such-temp-folder\\");
    std::string documents = SpecialFolder(CSIDL_PERSONAL);
    ASSERT_FALSE(documents.empty());
    EXPECT_EQ(TempFolder(), documents + "\\");
}

TEST(NewTempFileName, SkipsNamesOfFilesButNotOfFolders) {
    TScratchFolder scratch;
    TTempFolderOverride temp(scratch.Path());
    std::string stem = scratch.Path() + "~CorvellaWordProcessorSetup";
    EXPECT_EQ(NewTempFileName(), stem + "0.tmp");
    WriteTestFile(stem + "0.tmp", "taken");
    EXPECT_EQ(NewTempFileName(), stem + "1.tmp");
    CreateDirectoryA((stem + "1.tmp").c_str(), nullptr);
    EXPECT_EQ(NewTempFileName(), stem + "1.tmp");
    EXPECT_FALSE(FileExists(stem + "1.tmp")); // nothing is created
}

TEST(SpecialFolder, GivesTheFoldersTheProgramUsesAndNothingForOthers) {
    for (int csidl : {CSIDL_PROGRAMS, CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_PROGRAMS,
                      CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_APPDATA, CSIDL_PROGRAM_FILES}) {
        std::string folder = SpecialFolder(csidl);
        EXPECT_TRUE(IsCanonicalAbsolutePath(folder)) << csidl << ": " << folder;
        EXPECT_NE(LastChar(folder), '\\') << csidl << ": " << folder;
    }
    EXPECT_EQ(SpecialFolder(0xF0), "");
    EXPECT_EQ(SpecialFolder(-1), "");
}

TEST(FileSizeOf, GivesTheSizeOrMinusOne) {
    TScratchFolder scratch;
    WriteTestFile(scratch.Path() + "ten.txt", "0123456789");
    WriteTestFile(scratch.Path() + "empty.txt", "");
    EXPECT_EQ(FileSizeOf(scratch.Path() + "ten.txt"), 10);
    EXPECT_EQ(FileSizeOf(scratch.Path() + "empty.txt"), 0);
    EXPECT_EQ(FileSizeOf(scratch.Path() + "missing.txt"), -1);
    EXPECT_EQ(FileSizeOf(scratch.Path()), -1); // a folder
}

namespace {

void SetLocalWriteTime(const std::string& path, SYSTEMTIME time) {
    FILETIME local, utc;
    SystemTimeToFileTime(&time, &local);
    LocalFileTimeToFileTime(&local, &utc);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &utc));
    CloseHandle(file);
}

double OleDate(int year, int month, int day, int hour, int minute, int second) {
    return EncodeOleDate({year, month, day, hour, minute, second});
}

double Now() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return OleDate(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
}

// The creation time as the system gives it, in local time with odd seconds and milliseconds
// dropped, reached by another way than the DOS date.
double CreationStamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    FILETIME local;
    SYSTEMTIME time;
    FileTimeToLocalFileTime(&data.ftCreationTime, &local);
    FileTimeToSystemTime(&local, &time);
    return OleDate(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
                   time.wSecond / 2 * 2);
}

} // namespace

TEST(FileStamp, ReadsLocalTimesAtDosResolution) {
    TScratchFolder scratch;
    std::string path = scratch.Path() + "stamped.txt";
    WriteTestFile(path, "x");
    // An odd second with milliseconds: both go.
    SetLocalWriteTime(path, {2012, 2, 0, 26, 12, 59, 3, 250});
    EXPECT_EQ(FileWriteStamp(path), OleDate(2012, 2, 26, 12, 59, 2));
    EXPECT_EQ(FileStamp(path, true), OleDate(2012, 2, 26, 12, 59, 2));
    // Wine can set no creation time and reports the last-write time as one, so here this
    // checks the conversion only, not which of the two times is taken.
    EXPECT_EQ(FileStamp(path, false), CreationStamp(path));
}

TEST(FileStamp, IsTheCurrentTimeForAMissingOrUndatableFile) {
    TScratchFolder scratch;
    std::string old = scratch.Path() + "old.txt";
    WriteTestFile(old, "x");
    SetLocalWriteTime(old, {1975, 6, 0, 1, 0, 0, 0, 0});
    for (const std::string& path : {scratch.Path() + "missing.txt", old}) {
        double before = Now();
        double stamp = FileWriteStamp(path);
        double after = Now() + 1 / 86400.0;
        EXPECT_GE(stamp, before) << path;
        EXPECT_LE(stamp, after) << path;
    }
}
