#include "payload/AttachFiles.h"

#include "framework/ResourceStream.h"
#include "utils/Dates.h"
#include "utils/Handles.h"
#include "utils/InstUtils.h"

#include <shlobj.h>

std::unique_ptr<TAttachedFiles> AttachedFiles;
bool NameIsFullPath = false;

namespace {

// Five lines joined by single carriage returns.
std::string CannotCreateMessage(const std::string& target) {
    return "Cannot create file \"" + target +
           "\".\r"
           "Another application might already be using this file.\r"
           "\r"
           "Please make sure that the setup of Corvella Word Processor is not blocked by your "
           "security software (firewall/antivirus) in any way.\r"
           "You might want to temporarily disable your security software and try again.";
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return TextsEqual(text.substr(0, prefix.size()), prefix);
}

bool IsPrefix(const std::string& name) {
    return !name.empty() && name.back() == '\\';
}

// The date at DOS resolution, taken as local time; a date without a DOS form is not set.
void SetLastWriteTime(HANDLE file, double date) {
    uint16_t dosDate, dosTime;
    FILETIME local, utc;
    if (OleDateToDosDateTime(date, dosDate, dosTime) &&
        DosDateTimeToFileTime(dosDate, dosTime, &local) && LocalFileTimeToFileTime(&local, &utc))
        SetFileTime(file, nullptr, nullptr, &utc);
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Lines ending with CR, LF or both.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

} // namespace

TAttachedFiles::TAttachedFiles() {
    std::string_view payload = ProgramResource("FILES", "FILES");
    Load(payload.data(), static_cast<int32_t>(payload.size()));
}

TAttachedFiles::TAttachedFiles(const void* payload, int32_t size) {
    Load(payload, size);
}

void TAttachedFiles::Load(const void* payload, int32_t size) {
    InflateBuffer(payload, size, FData, FDataSize, InflateEstimate(size));
    FEntries = IndexArchive(FData.get(), FDataSize);
}

TAttachedFiles::~TAttachedFiles() {
    PublicFiles.Clear();
    for (auto& plan : FPlans)
        plan.clear();
    FData.reset();
    FEntries.clear();
    DeleteTempLeftovers();
}

bool TAttachedFiles::WriteEntry(const TAttachedFile& entry, const std::string& target) const {
    std::string folder = target.substr(0, target.rfind('\\') + 1);
    if (!folder.empty())
        ForceFolder(folder);
    {
        TFileHandle file(CreateFileA(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        // A short write (a full disk) is a failed write.
        if (!file.Valid() ||
            !WriteFile(file.Get(), FData.get() + entry.Offset, DWORD(entry.Size), &written,
                       nullptr) ||
            written != DWORD(entry.Size))
            return false;
    }
    TFileHandle file(CreateFileA(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                                 nullptr));
    if (file.Valid())
        SetLastWriteTime(file.Get(), entry.Date);
    LogLine("File Copy: " + target);
    return true;
}

bool TAttachedFiles::ExtractFile(const TAttachedFile* entry, const std::string& name,
                                 const std::string& target) const {
    for (auto it = FEntries.rbegin(); !entry && it != FEntries.rend(); ++it)
        if (TextsEqual(it->Name, name))
            entry = &*it;
    for (;;) {
        bool written = false;
        try {
            written = entry && WriteEntry(*entry, target);
        } catch (const std::exception&) {
            // Whatever fails while the file is made or logged leaves it not written.
        }
        if (written)
            return true;
        int answer =
            AskUser(CannotCreateMessage(target), mtError, Buttons({mbAbort, mbRetry, mbIgnore}));
        if (answer == mrAbort)
            return false;
        if (answer == mrIgnore)
            return true;
    }
}

int64_t TAttachedFiles::ComponentSize(const std::string& fileList,
                                      const std::string& destDir) const {
    int64_t total = 0;
    // One look at the volume, not one per file.
    int32_t clusterSize = ClusterSize(destDir);
    auto lines = SplitLines(fileList);
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        bool prefix = IsPrefix(*line);
        for (auto entry = FEntries.rbegin(); entry != FEntries.rend(); ++entry) {
            if (prefix ? StartsWith(entry->Name, *line) : TextsEqual(entry->Name, *line)) {
                total += RoundToClusters(entry->Size, clusterSize);
                if (!prefix)
                    break;
            }
        }
    }
    return total;
}

bool TAttachedFiles::PlanFiles(const std::string& nameOrPrefix, const std::string& folder,
                               int component, TInstallMode mode) {
    TInstallMode requested = mode;
    if (OverwriteAlways)
        mode = imAlways;
    if (!IsPrefix(nameOrPrefix)) {
        for (const TAttachedFile& entry : FEntries)
            if (TextsEqual(entry.Name, nameOrPrefix))
                return PlanEntry(entry, folder, component, mode, requested);
        return false;
    }
    bool planned = false;
    for (const TAttachedFile& entry : FEntries)
        if (StartsWith(entry.Name, nameOrPrefix))
            planned = PlanEntry(entry, folder, component, mode, requested) || planned;
    return planned;
}

bool TAttachedFiles::PlanEntry(const TAttachedFile& entry, const std::string& folder, int component,
                               TInstallMode mode, TInstallMode requested) {
    std::string target = NameIsFullPath ? folder : JoinPath(folder, entry.Name);
    if (mode != imAlways && FileExists(target)) {
        if (mode == imIfMissing)
            return false;
        if (mode == imIfChanged && FileWriteStamp(target) == entry.Date)
            return false;
    }
    FPlans.at(size_t(component)).push_back({&entry, target, LogSuppressCount == 0});
    std::string publicFolder = JoinPath(SpecialFolder(CSIDL_COMMON_APPDATA), "Corvella\\Public\\");
    if (StartsWith(target, publicFolder))
        PublicFiles.Add(requested == imIfMissing ? target + "\t!" : target);
    return true;
}

int64_t TAttachedFiles::TotalPlannedSize() const {
    int64_t total = 0;
    for (const auto& plan : FPlans)
        for (const TFileToInstall& file : plan)
            total += file.Entry->Size;
    return total;
}

int AskUser(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
    return MessageDlg(text, type, buttons);
}
