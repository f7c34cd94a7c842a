// These tests need the drives that wine-drives.sh makes in the Wine prefix: T: removable
// ("floppy"), U: fixed, V: network and W: CD-ROM, each a folder on the Unix side.
#include "Scratch.h"

#include <gtest/gtest.h>

namespace {

int32_t RootClusterSize(const char* root) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters, clusters;
    GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters);
    return static_cast<int32_t>(sectorsPerCluster * bytesPerSector);
}

} // namespace

TEST(Drives, TypesComeFromTheDrivePart) {
    struct Case {
        const char* path;
        UINT type;
    } cases[] = {
        {"T:\\", DRIVE_REMOVABLE},  {"U:\\Data\\x.txt", DRIVE_FIXED},   {"v:", DRIVE_REMOTE},
        {"W:\\Setup", DRIVE_CDROM}, {"Data\\x.txt", DRIVE_NO_ROOT_DIR}, {"", DRIVE_NO_ROOT_DIR},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DriveTypeOf(c.path), c.type) << c.path;
    EXPECT_EQ(DriveTypeOf(MissingDrive() + "\\Data"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
}

TEST(Drives, OnlyARemovableDriveIsPortableHere) {
    // Wine's fixed drives answer the storage query with neither a USB nor an IEEE 1394 bus.
    struct Case {
        const char* path;
        bool portable;
    } cases[] = {
        {"T:\\Corvella", true},
        {"U:\\Corvella", false},
        {"V:\\Corvella", false},
        {"W:\\Corvella", false},
        {"C:\\", false},
        {"Corvella", false},
        {"\\\\server\\share\\Corvella", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsPortableDrive(c.path), c.portable) << c.path;
}

TEST(Drives, ClusterSizeMeasuresTheVolumeThatWillHoldTheFolder) {
    std::string start = CurrentDirPath();
    int32_t c = RootClusterSize("C:\\");
    int32_t u = RootClusterSize("U:\\");
    ASSERT_GT(c, 0);
    ASSERT_GT(u, 0);
    // Wine answers for drive roots only: a folder below one reads as zero, never used.
    EXPECT_EQ(ClusterSize("C:\\windows\\system32"), c);
    EXPECT_EQ(ClusterSize("U:\\Not\\There\\Yet\\"), u);
    EXPECT_EQ(ClusterSize("U:"), u);
    // Nothing answers for a missing drive or a relative path: the current directory's volume.
    EXPECT_EQ(ClusterSize(MissingDrive() + "\\Corvella"), RootClusterSize(nullptr));
    EXPECT_EQ(ClusterSize("Corvella"), RootClusterSize(nullptr));
    EXPECT_EQ(CurrentDirPath(), start);
    EXPECT_EQ(RoundToClusters("U:\\Not\\There\\Yet\\", 1), u);
    EXPECT_EQ(RoundToClusters("U:\\Not\\There\\Yet\\", 0), 0);
}

TEST(Drives, DeleteTreeRemovesNothingBehindALink) {
    // U:\linktree\link is a symbolic link to U:\linktarget, which holds keep.txt; Wine shows
    // it as a folder with the reparse-point attribute.
    ASSERT_NE(GetFileAttributesA("U:\\linktree\\link") & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
    ASSERT_TRUE(FileExists("U:\\linktarget\\keep.txt"));
    CreateDirectoryA("U:\\linktree\\sub", nullptr);
    WriteTestFile("U:\\linktree\\sub\\file.txt", "x");
    WriteTestFile("U:\\linktree\\file.txt", "x");

    DeleteTree("U:\\linktree\\link");
    EXPECT_TRUE(FileExists("U:\\linktarget\\keep.txt"));
    DeleteTree("U:\\linktree\\");
    EXPECT_TRUE(FileExists("U:\\linktarget\\keep.txt"));
    EXPECT_FALSE(FileExists("U:\\linktree\\file.txt"));
    EXPECT_FALSE(FolderExists("U:\\linktree\\sub"));
}

TEST(Drives, DeleteTreeNeverEmptiesADriveRoot) {
    WriteTestFile("U:\\kept.txt", "x");
    DeleteTree("U:");
    DeleteTree("U:\\");
    EXPECT_TRUE(FileExists("U:\\kept.txt"));
    DeleteFileA("U:\\kept.txt");
}
