// The payload reader: the inflated payload archive held in memory with the index of its
// entries, the installation plan (the files to extract, one list per component) and the
// public files planned; it writes single entries out as files.
#pragma once

#include "framework/MessageDialog.h"
#include "framework/StringList.h"
#include "imaging/Zlib.h"
#include "payload/Archive.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum TInstallMode : uint8_t { imIfMissing = 0, imIfChanged = 1, imAlways = 2 };

constexpr int kComponentCount = 6;

// One planned extraction.
struct TFileToInstall {
    const TAttachedFile* Entry; // owned by the reader
    std::string Target;         // full path of the file to write
    bool Logged;                // logging was on when the file was planned
};

class TAttachedFiles {
public:
    // Inflates and indexes the executable's "FILES" resource. A missing resource or a damaged
    // payload raises an exception whose class names the fault.
    TAttachedFiles();
    // The same for a payload given as its compressed bytes.
    TAttachedFiles(const void* payload, int32_t size);
    TAttachedFiles(const TAttachedFiles&) = delete;
    TAttachedFiles& operator=(const TAttachedFiles&) = delete;
    // Releases everything, then deletes the setup's leftover temporary files.
    ~TAttachedFiles();

    // Writes an entry (or, when entry is null, the last entry called name) to target, with the
    // entry's date as its last-write time. A failure asks the user: Abort returns false,
    // Ignore true, Retry tries again. Main thread or extraction thread.
    bool ExtractFile(const TAttachedFile* entry, const std::string& name,
                     const std::string& target) const;
    // The space that the names and name prefixes of fileList (one per line) take on the volume
    // of destDir, each entry rounded up to whole clusters.
    int64_t ComponentSize(const std::string& fileList, const std::string& destDir) const;
    // Plans the entry called nameOrPrefix, or every entry below a prefix that ends with a
    // backslash, into folder (or, while NameIsFullPath is set, as folder itself). True when
    // at least one entry was planned.
    bool PlanFiles(const std::string& nameOrPrefix, const std::string& folder, int component,
                   TInstallMode mode);
    void ClearPlan(int component) { FPlans.at(size_t(component)).clear(); }
    // The bytes of every planned file, without cluster rounding.
    int64_t TotalPlannedSize() const;

    const std::vector<TAttachedFile>& Entries() const { return FEntries; }
    const std::vector<TFileToInstall>& Plan(int component) const {
        return FPlans.at(size_t(component));
    }

    // A line per planned file in the public data folder: its path, and a tab and "!" when it
    // was asked for only if missing. Read by the update log.
    TStringList PublicFiles;
    // Every request plans as imAlways (a destination that is not portable).
    bool OverwriteAlways = false;

private:
    void Load(const void* payload, int32_t size);
    bool WriteEntry(const TAttachedFile& entry, const std::string& target) const;
    bool PlanEntry(const TAttachedFile& entry, const std::string& folder, int component,
                   TInstallMode mode, TInstallMode requested);

    TInflatedBlock FData;
    int32_t FDataSize = 0;
    std::vector<TAttachedFile> FEntries;
    std::array<std::vector<TFileToInstall>, kComponentCount> FPlans;
};

// The one reader; the start-up code creates it before the wizard and frees it after.
extern std::unique_ptr<TAttachedFiles> AttachedFiles;

// While set, the folder of a PlanFiles request is the whole target path.
extern bool NameIsFullPath;

// Shows text in a modal message dialog and returns the modal result of the button pressed.
// So far only the main thread asks.
int AskUser(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
