// The setup's file-system utilities: case-insensitive texts, the current directory, temporary
// names, special folders, folder tests, file stamps and sizes, drive types and the portable
// drive test, cluster sizes, and the file operations that write the install log.
// None reports a failure: they yield an empty text, false, or do nothing.
#pragma once

#include "framework/StringList.h"
#include "utils/Paths.h"
#include "utils/Sizes.h"
#include "utils/Texts.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

// Entry points looked up at start-up by ResolveEntryPoints; null when the system lacks them.
using TGetDiskFreeSpaceExA = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER,
                                           PULARGE_INTEGER);
extern TGetDiskFreeSpaceExA GetDiskFreeSpaceExEntry;

// Looks up GetDiskFreeSpaceExA and SHGetFolderPathA (in shell32, else in shfolder; both loaded
// by their full path in the system folder, never from the search path).
void ResolveEntryPoints();

// Equal after the system's locale-aware conversion to upper case.
bool TextsEqual(const std::string& a, const std::string& b);
// The comparison of install-log and update-log lines: locale-aware, case ignored,
// punctuation ordered as symbols. Negative, zero or positive.
int CompareLogLines(const std::string& a, const std::string& b);

// The current directory with a trailing backslash.
std::string CurrentDirPath();
void PushCurrentDir();
// Returns to the directory of the last push; does nothing when none is left.
void PopCurrentDir();

// The temporary folder with a trailing backslash: the system's, or the user's documents
// folder when the system's does not exist; empty when neither is known.
std::string TempFolder();
// The first path of the temporary folder, prefix, a number and ".tmp" that no file has taken
// (a folder of that name does not count). Nothing is created. Empty without a temporary folder.
std::string NewTempFileName();

// A special folder by CSIDL number, without a trailing backslash; empty when unknown.
std::string SpecialFolder(int32_t csidl);

// True when path names an existing folder and is spelled as IsCanonicalAbsolutePath demands
// (after AddBackslash); letter case does not matter.
bool FolderExists(const std::string& path);

// The last-write (or creation) time of a file in local time at DOS resolution (two seconds),
// as an OLE Automation date; the current local time when the file is missing or its time has
// no DOS form.
double FileStamp(const std::string& path, bool lastWrite);
double FileWriteStamp(const std::string& path);

// The size of a file in bytes, -1 when it cannot be opened.
int64_t FileSizeOf(const std::string& path);

// The platform's drive type of the drive or share that holds path; DRIVE_NO_ROOT_DIR for a
// path without a drive part.
UINT DriveTypeOf(const std::string& path);
// True for a removable drive, and for a fixed drive on a USB or IEEE 1394 bus or with
// removable media.
bool IsPortableDrive(const std::string& path);

// Bytes per cluster of the volume that holds (or will hold) folder: that of its nearest
// existing ancestor or drive root, else of the current directory's volume; always positive.
int32_t ClusterSize(const std::string& folder);
// size rounded up to whole clusters of the volume that holds folder.
int64_t RoundToClusters(const std::string& folder, int64_t size);

// The install log. InstallLog exists from the installing page on; lines are added only while
// LogSuppressCount is zero. The extraction thread uses both while it runs, the main thread
// before and after.
extern std::unique_ptr<TStringList> InstallLog;
extern std::string InstallLogPath;
extern bool InstallStarted;
extern int32_t LogSuppressCount;

// Adds line unless logging is suspended, there is no log, or it holds the line already
// (CompareLogLines).
void LogLine(const std::string& line);
// Suspensions nest: logging resumes when each has been ended.
void SuspendLogging();
void ResumeLogging();

// Creates a folder and its missing parents, parents first, logging "Made Dir: " and each
// folder it asks the system for (whether or not that succeeds). Does nothing for a path that
// FolderExists would not accept, and never creates or logs a drive or share root.
void ForceFolder(const std::string& path);
// Deletes a folder with everything in it, as far as it can; a read-only file stays, and so do
// the folders above it. Junctions and symbolic links are removed, never followed. Does nothing
// for a drive or share root or a path that FolderExists would not accept. Nothing is logged.
void DeleteTree(const std::string& path);
// Creates or replaces a file with content; failures are ignored. Nothing is logged.
void WriteTextFile(const std::string& path, const std::string& content);
// Saves a shell link to target, creating the link's folder with ForceFolder, and logs
// "File Copy: " and the link path. False, with no line logged, when the link is not saved or
// its folder is not an absolute one. COM must be initialised on the calling thread.
bool CreateShortcut(const std::string& link, const std::string& target, const std::string& folder,
                    const std::string& description);
// Deletes every file and folder in the temporary folder whose name starts with
// TempNamePrefix (letter case counts). Nothing is logged.
void DeleteTempLeftovers();
