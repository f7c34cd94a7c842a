#include "utils/Paths.h"

#include <gtest/gtest.h>

TEST(Paths, AddBackslashEndsWithExactlyOne) {
    struct Case {
        const char* path;
        const char* result;
    } cases[] = {
        {"C:\\Data/", "C:\\Data\\"},
        {"C:\\Data", "C:\\Data\\"},
        {"C:\\Data\\", "C:\\Data\\"},
        {"", ""},
        {"C:", "C:\\"},
    };
    for (const Case& c : cases) {
        std::string path = c.path;
        AddBackslash(path);
        EXPECT_EQ(path, c.result) << c.path;
    }
}

TEST(Paths, JoinPathPutsOneBackslashBetween) {
    EXPECT_EQ(JoinPath("", "Corvella\\Public\\"), "Corvella\\Public\\");
    EXPECT_EQ(JoinPath("C:\\Program Files", "Corvella"), "C:\\Program Files\\Corvella");
    EXPECT_EQ(JoinPath("C:\\", "Corvella"), "C:\\Corvella");
    EXPECT_EQ(JoinPath("C:\\Data/", "x.txt"), "C:\\Data\\x.txt");
}

TEST(Paths, DrivePartIsTheLetterAndColonOrTheServerAndShare) {
    struct Case {
        const char* path;
        const char* drive;
    } cases[] = {
        {"C:\\Data\\x.txt", "C:"},
        {"e:", "e:"},
        {"\\\\server\\share\\Data", "\\\\server\\share"},
        {"\\\\server\\share", "\\\\server\\share"},
        {"\\\\server", "\\\\server"},
        {"Data\\x.txt", ""},
        {"\\Data", ""},
        {"", ""},
        {"C", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DrivePart(c.path), c.drive) << c.path;
}

TEST(Paths, ParentFolderEndsAtTheLastBackslashOrColon) {
    struct Case {
        const char* path;
        const char* parent;
    } cases[] = {
        {"C:\\A\\B\\", "C:\\A\\"},
        {"C:\\A\\b.txt", "C:\\A\\"},
        {"C:\\A", "C:\\"},
        {"C:\\", "C:"},
        {"C:", "C:"},
        {"C:x", "C:"},
        {"name", ""},
        {"", ""},
        {"\\", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParentFolder(c.path), c.parent) << c.path;
}

TEST(Paths, CanonicalAbsolutePathsAreSpelledAsTheSystemSpellsThem) {
    for (const char* good :
         {"C:\\", "c:\\windows", "C:\\Windows\\", "C:\\Program Files\\Corvella\\",
          "\\\\server\\share", "\\\\server\\share\\Data\\", "C:\\.hidden\\", "C:\\a b\\"})
        EXPECT_TRUE(IsCanonicalAbsolutePath(good)) << good;
    for (const char* bad : {"",
                            "C:",
                            "C:Windows",
                            "Windows",
                            "\\Windows",
                            "C:/Windows",
                            "C:\\Windows/System32",
                            "C:\\Windows\\..\\",
                            "C:\\Windows\\.\\System32",
                            "C:\\.\\",
                            "C:\\Windows\\\\",
                            "C:\\\\Windows",
                            "C:\\Windows.",
                            "C:\\Windows \\",
                            "C:\\a*",
                            "C:\\a?\\",
                            "C:\\a:b",
                            "1:\\Data",
                            "\\\\server",
                            "\\\\server\\",
                            "\\\\",
                            "\\\\.\\C:\\",
                            "\\\\?\\C:\\"})
        EXPECT_FALSE(IsCanonicalAbsolutePath(bad)) << bad;
}

TEST(Paths, RootPathsAreDrivesAndShares) {
    for (const char* root : {"C:\\", "C:", "\\\\server\\share", "\\\\server\\share\\"})
        EXPECT_TRUE(IsRootPath(root)) << root;
    for (const char* other : {"C:\\A", "C:\\A\\", "\\\\server\\share\\A", "", "A\\"})
        EXPECT_FALSE(IsRootPath(other)) << other;
}

TEST(Paths, TempNamePrefixKeepsTheLettersOfTheTitle) {
    EXPECT_EQ(TempNamePrefix(), "~CorvellaWordProcessorSetup");
}
