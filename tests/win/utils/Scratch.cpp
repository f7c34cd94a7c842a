#include "Scratch.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string Variable(const char* name) {
    char value[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
    return length < MAX_PATH ? std::string(value, length) : "";
}

} // namespace

TScratchFolder::TScratchFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    FPath = JoinPath(temp, std::string("corvella-") + test->test_suite_name() + "-" + test->name() +
                               "\\");
    DeleteTree(FPath);
    CreateDirectoryA(FPath.c_str(), nullptr);
}

TTempFolderOverride::TTempFolderOverride(const std::string& folder)
    : FTmp(Variable("TMP")), FTemp(Variable("TEMP")) {
    SetEnvironmentVariableA("TMP", folder.c_str());
    SetEnvironmentVariableA("TEMP", folder.c_str());
}

TTempFolderOverride::~TTempFolderOverride() {
    SetEnvironmentVariableA("TMP", FTmp.empty() ? nullptr : FTmp.c_str());
    SetEnvironmentVariableA("TEMP", FTemp.empty() ? nullptr : FTemp.c_str());
}

void WriteTestFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::string ReadTestFile(const std::string& path) {
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string MissingDrive() {
    DWORD drives = GetLogicalDrives();
    for (char letter = 'J'; letter <= 'Y'; ++letter)
        if (!(drives & 1u << (letter - 'A')))
            return std::string(1, letter) + ":";
    ADD_FAILURE() << "every drive letter is taken";
    return "";
}
