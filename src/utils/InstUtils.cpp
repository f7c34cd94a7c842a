#include "utils/InstUtils.h"

#include "framework/SystemLibrary.h"
#include "utils/Dates.h"
#include "utils/Handles.h"

#include <shlobj.h>
#include <winioctl.h>

#include <cstring>
#include <vector>

TGetDiskFreeSpaceExA GetDiskFreeSpaceExEntry = nullptr;

namespace {

using TSHGetFolderPathA = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
TSHGetFolderPathA SHGetFolderPathEntry = nullptr;

// Former current directories, each with a trailing backslash; the last is the top.
std::vector<std::string> DirStack;

// Functions that fill a buffer of a given length and return the length of the text, or the
// length needed when the buffer is too small (GetCurrentDirectoryA, GetTempPathA).
std::string SystemText(DWORD(WINAPI* get)(DWORD, LPSTR)) {
    std::string text(get(0, nullptr), '\0');
    DWORD length = get(static_cast<DWORD>(text.size()), text.data());
    text.resize(length < text.size() ? length : 0);
    return text.substr(0, text.find('\0'));
}

// A library of the system folder, loaded by its full path and never from the search path.
HMODULE LoadSystemLibrary(const char* name) {
    char folder[MAX_PATH];
    UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? LoadLibraryA(JoinPath(folder, name).c_str()) : nullptr;
}

} // namespace

void ResolveEntryPoints() {
    GetDiskFreeSpaceExEntry =
        ProcAddress<TGetDiskFreeSpaceExA>(GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA");
    // The libraries stay loaded for the life of the program, as the entry point must.
    SHGetFolderPathEntry =
        ProcAddress<TSHGetFolderPathA>(LoadSystemLibrary("shell32.dll"), "SHGetFolderPathA");
    if (!SHGetFolderPathEntry)
        SHGetFolderPathEntry =
            ProcAddress<TSHGetFolderPathA>(LoadSystemLibrary("shfolder.dll"), "SHGetFolderPathA");
}

bool TextsEqual(const std::string& a, const std::string& b) {
    std::string upperA = a, upperB = b;
    CharUpperBuffA(upperA.data(), static_cast<DWORD>(upperA.size()));
    CharUpperBuffA(upperB.data(), static_cast<DWORD>(upperB.size()));
    return upperA == upperB;
}

int CompareLogLines(const std::string& a, const std::string& b) {
    int result = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE | SORT_STRINGSORT, a.data(),
                                static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()));
    // Zero means the call failed; the bytes decide then.
    return result == 0 ? a.compare(b) : result - CSTR_EQUAL;
}

std::string CurrentDirPath() {
    std::string path = SystemText(GetCurrentDirectoryA);
    AddBackslash(path);
    return path;
}

void PushCurrentDir() {
    DirStack.push_back(CurrentDirPath());
}

void PopCurrentDir() {
    if (DirStack.empty())
        return;
    SetCurrentDirectoryA(DirStack.back().c_str());
    DirStack.pop_back();
}

std::string TempFolder() {
    std::string folder = SystemText(GetTempPathA);
    if (!FolderExists(folder))
        folder = SpecialFolder(CSIDL_PERSONAL);
    AddBackslash(folder);
    return folder;
}

std::string NewTempFileName() {
    std::string folder = TempFolder();
    if (folder.empty())
        return "";
    std::string stem = folder + TempNamePrefix();
    for (unsigned n = 0;; ++n) {
        std::string path = stem + std::to_string(n) + ".tmp";
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || attributes & FILE_ATTRIBUTE_DIRECTORY)
            return path;
    }
}

std::string SpecialFolder(int32_t csidl) {
    char path[MAX_PATH] = {};
    if (!SHGetFolderPathEntry ||
        SHGetFolderPathEntry(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
        return "";
    return std::string(path, strnlen(path, MAX_PATH));
}

bool FolderExists(const std::string& path) {
    std::string folder = path;
    AddBackslash(folder);
    if (!IsCanonicalAbsolutePath(folder))
        return false;
    DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && attributes & FILE_ATTRIBUTE_DIRECTORY;
}

namespace {

double CurrentOleDate() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    TDateTimeParts parts;
    parts.Year = now.wYear;
    parts.Month = now.wMonth;
    parts.Day = now.wDay;
    parts.Hour = now.wHour;
    parts.Minute = now.wMinute;
    parts.Second = now.wSecond;
    return EncodeOleDate(parts) + now.wMilliseconds / 86400000.0;
}

} // namespace

double FileStamp(const std::string& path, bool lastWrite) {
    WIN32_FIND_DATAA item;
    TFindHandle find(FindFirstFileA(path.c_str(), &item));
    FILETIME local;
    WORD dosDate, dosTime;
    double stamp;
    if (find.Valid() &&
        FileTimeToLocalFileTime(lastWrite ? &item.ftLastWriteTime : &item.ftCreationTime, &local) &&
        FileTimeToDosDateTime(&local, &dosDate, &dosTime) &&
        DosDateTimeToOleDate(dosDate, dosTime, stamp))
        return stamp;
    return CurrentOleDate();
}

double FileWriteStamp(const std::string& path) {
    return FileStamp(path, true);
}

int64_t FileSizeOf(const std::string& path) {
    TFileHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &size))
        return -1;
    return size.QuadPart;
}

UINT DriveTypeOf(const std::string& path) {
    std::string root = DrivePart(path);
    if (root.empty())
        return DRIVE_NO_ROOT_DIR;
    AddBackslash(root);
    return GetDriveTypeA(root.c_str());
}

bool IsPortableDrive(const std::string& path) {
    UINT type = DriveTypeOf(path);
    if (type == DRIVE_REMOVABLE)
        return true;
    std::string drive = DrivePart(path);
    if (type != DRIVE_FIXED || drive.size() != 2)
        return false;
    // No access rights are asked for: the query needs none, and reading a volume needs an
    // administrator.
    TFileHandle volume(CreateFileA(("\\\\.\\" + drive).c_str(), 0,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                   nullptr));
    if (!volume.Valid())
        return false;
    STORAGE_PROPERTY_QUERY query = {};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    alignas(STORAGE_DEVICE_DESCRIPTOR) BYTE buffer[548] = {};
    DWORD returned = 0;
    if (!DeviceIoControl(volume.Get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, buffer,
                         sizeof buffer, &returned, nullptr))
        return false;
    const auto* device = reinterpret_cast<const STORAGE_DEVICE_DESCRIPTOR*>(buffer);
    return device->BusType == BusType1394 || device->BusType == BusTypeUsb ||
           device->RemovableMedia;
}

namespace {

// Bytes per cluster of the volume of root (null: the current directory's); 0 when unknown.
int32_t VolumeClusterSize(const char* root) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters, clusters;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        return 0;
    int64_t size = int64_t{sectorsPerCluster} * bytesPerSector;
    return size > 0 && size <= INT32_MAX ? static_cast<int32_t>(size) : 0;
}

// The folder itself or its nearest ancestor that exists; empty when none does.
std::string NearestExistingFolder(std::string folder) {
    AddBackslash(folder);
    while (!folder.empty() && !FolderExists(folder)) {
        std::string parent = ParentFolder(folder);
        if (parent.size() >= folder.size())
            return "";
        folder = parent;
    }
    return folder;
}

} // namespace

int32_t ClusterSize(const std::string& folder) {
    // The usual cluster of the file systems of the day, for when no volume answers.
    constexpr int32_t kDefaultClusterSize = 4096;
    std::string root = DrivePart(folder);
    AddBackslash(root);
    // Some systems answer for a drive root only, so that comes next.
    for (const std::string& volume : {NearestExistingFolder(folder), root})
        if (int32_t size = volume.empty() ? 0 : VolumeClusterSize(volume.c_str()); size > 0)
            return size;
    int32_t size = VolumeClusterSize(nullptr);
    return size > 0 ? size : kDefaultClusterSize;
}

int64_t RoundToClusters(const std::string& folder, int64_t size) {
    return RoundToClusters(size, ClusterSize(folder));
}
