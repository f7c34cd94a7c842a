// The install log and the file operations around it.
#include "utils/InstUtils.h"

#include "utils/Handles.h"

#include <objidl.h>
#include <shlobj.h>

#include <cstring>

std::unique_ptr<TStringList> InstallLog;
std::string InstallLogPath;
bool InstallStarted = false;
int32_t LogSuppressCount = 0;

void LogLine(const std::string& line) {
    if (LogSuppressCount != 0 || !InstallLog || InstallLog->IndexOf(line, CompareLogLines) >= 0)
        return;
    InstallLog->Add(line);
}

void SuspendLogging() {
    ++LogSuppressCount;
}

void ResumeLogging() {
    --LogSuppressCount;
}

void ForceFolder(const std::string& path) {
    std::string folder = path;
    AddBackslash(folder);
    if (!IsCanonicalAbsolutePath(folder) || IsRootPath(folder) || FolderExists(folder))
        return;
    ForceFolder(ParentFolder(folder));
    CreateDirectoryA(path.c_str(), nullptr);
    LogLine("Made Dir: " + path);
}

namespace {

bool IsDotEntry(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// Removes a junction or symbolic link itself, leaving what it points to alone.
void DeleteLink(const std::string& path, DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveDirectoryA(path.c_str());
    else
        DeleteFileA(path.c_str());
}

// Deletes one entry of a folder: a link itself, a folder with its tree, or a file.
void DeleteEntry(const std::string& path, DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        DeleteLink(path, attributes);
    else if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        DeleteTree(path);
    else
        DeleteFileA(path.c_str());
}

} // namespace

void DeleteTree(const std::string& path) {
    std::string folder = path;
    AddBackslash(folder);
    if (!IsCanonicalAbsolutePath(folder) || IsRootPath(folder))
        return;
    // Asked without the trailing backslash, which could lead through a link to its target.
    std::string name = folder.substr(0, folder.size() - 1);
    DWORD attributes = GetFileAttributesA(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        DeleteLink(name, attributes);
        return;
    }
    WIN32_FIND_DATAA item;
    TFindHandle find(FindFirstFileA((folder + "*.*").c_str(), &item));
    if (find.Valid())
        do
            if (!IsDotEntry(item.cFileName))
                DeleteEntry(folder + item.cFileName, item.dwFileAttributes);
        while (FindNextFileA(find.Get(), &item));
    find.Reset();
    RemoveDirectoryA(folder.c_str());
}

void WriteTextFile(const std::string& path, const std::string& content) {
    TFileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                 nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    DWORD written;
    if (file.Valid())
        WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written,
                  nullptr);
}

namespace {

std::wstring WideText(const std::string& text) {
    int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

} // namespace

bool CreateShortcut(const std::string& link, const std::string& target, const std::string& folder,
                    const std::string& description) {
    std::string linkFolder = ParentFolder(link);
    TComPtr<IShellLinkA> shellLink;
    TComPtr<IPersistFile> file;
    if (!IsCanonicalAbsolutePath(linkFolder) ||
        FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                shellLink.Receive())))
        return false;
    shellLink->SetPath(target.c_str());
    shellLink->SetWorkingDirectory(folder.c_str());
    shellLink->SetDescription(description.c_str());
    if (FAILED(shellLink->QueryInterface(IID_IPersistFile, file.Receive())))
        return false;
    ForceFolder(linkFolder);
    if (FAILED(file->Save(WideText(link).c_str(), TRUE)))
        return false;
    LogLine("File Copy: " + link);
    return true;
}

void DeleteTempLeftovers() {
    std::string folder = TempFolder();
    if (folder.empty())
        return;
    std::string prefix = TempNamePrefix();
    WIN32_FIND_DATAA item;
    TFindHandle find(FindFirstFileA((folder + "*.*").c_str(), &item));
    if (find.Valid())
        do
            if (std::strncmp(item.cFileName, prefix.c_str(), prefix.size()) == 0)
                DeleteEntry(folder + item.cFileName, item.dwFileAttributes);
        while (FindNextFileA(find.Get(), &item));
}
