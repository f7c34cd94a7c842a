// The payload builder's manifest: one archive entry per line, in archive order.
//
//   NAME [TAB SOURCE [TAB DATE]]
//
// NAME is the entry's name with backslashes. SOURCE is the file to pack, relative to the
// product folder or absolute; empty or absent, it is NAME with slashes under the product
// folder. DATE is "YYYY-MM-DD HH:MM:SS", local wall-clock time; empty or absent, it is the
// source file's modification time. Lines end with LF or CR LF.
#pragma once

#include "framework/Exceptions.h"
#include "utils/Dates.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TManifestLine {
    int Number = 0; // counted from 1
    std::string Name;
    std::string Source;
    std::optional<TDateTimeParts> Date;
};

class EManifestError : public Exception {
public:
    explicit EManifestError(std::string message)
        : Exception("EManifestError", std::move(message)) {}
};

// Splits the manifest into lines and fields; names are checked when entries are added.
// Raises EManifestError naming the line for a malformed line or an empty manifest.
std::vector<TManifestLine> ParseManifest(std::string_view text);
