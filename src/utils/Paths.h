// Windows paths as texts: trailing backslashes, joining, drive parts and parent folders, the
// test for a path spelled the way the system spells folders, and the setup's temporary names.
#pragma once

#include <string>

// A non-empty path ends with exactly one backslash afterwards: a trailing "/" or "\" becomes
// "\", otherwise one is appended. An empty path stays empty.
void AddBackslash(std::string& path);

// folder, a backslash unless it ends with one, and name; name alone for an empty folder.
std::string JoinPath(std::string folder, const std::string& name);

// "C:" for "C:\Data", "\\server\share" for "\\server\share\Data", empty for any other path.
std::string DrivePart(const std::string& path);

// The folder holding path: everything up to and including its last backslash or colon, a
// trailing backslash of path itself not counted ("C:\A\" for "C:\A\B\" and "C:\A\b.txt").
std::string ParentFolder(const std::string& path);

// True for "X:\" or "\\server\share\" followed by folder names separated by single
// backslashes, with or without a trailing one. Names are not empty, not "." or "..", hold no
// "/" or other character that no file name may hold, and do not end with a dot or blank (the
// system would drop those and name another folder).
bool IsCanonicalAbsolutePath(const std::string& path);

// True for the root folder of a drive or share, with or without its trailing backslash.
bool IsRootPath(const std::string& path);

// "~" and the letters of the setup's title: the start of every temporary name it makes.
std::string TempNamePrefix();
