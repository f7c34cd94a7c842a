// Helpers of the utilities' Windows tests: a folder of the test's own, files, and the
// temporary folder pointed elsewhere for a while.
#pragma once

#include "utils/InstUtils.h"

#include <string>

// A new folder under the system's temporary folder, deleted with its content at the end.
class TScratchFolder {
public:
    TScratchFolder();
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;
    ~TScratchFolder() { DeleteTree(FPath); }

    // The folder, with a trailing backslash.
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
};

// Points TMP and TEMP (which the system's temporary folder comes from) at folder, and back
// at the end.
class TTempFolderOverride {
public:
    explicit TTempFolderOverride(const std::string& folder);
    TTempFolderOverride(const TTempFolderOverride&) = delete;
    TTempFolderOverride& operator=(const TTempFolderOverride&) = delete;
    ~TTempFolderOverride();

private:
    std::string FTmp, FTemp;
};

void WriteTestFile(const std::string& path, const std::string& content);
std::string ReadTestFile(const std::string& path);
bool FileExists(const std::string& path);
// A drive letter with a colon that names no drive, such as "J:".
std::string MissingDrive();
