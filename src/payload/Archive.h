// The payload archive: the inflated payload, a flat sequence of entries. Each entry is a name
// length (1 byte), the name, an OLE Automation date (8 bytes), a size (signed 32-bit) and the
// file's bytes; all numbers little-endian, nothing aligned, no header and no table.
#pragma once

#include "framework/Exceptions.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// One indexed entry. Its data lies at Offset in the inflated archive.
struct TAttachedFile {
    std::string Name;
    int32_t Size = 0;
    double Date = 0; // its 8 bytes copied from the archive unchanged
    int32_t Offset = 0;
};

// A damaged payload; the class names tell the faults apart.
class EPayloadTruncated : public Exception {
public:
    explicit EPayloadTruncated(std::string message)
        : Exception("EPayloadTruncated", std::move(message)) {}
};

class EPayloadBadSize : public Exception {
public:
    explicit EPayloadBadSize(std::string message)
        : Exception("EPayloadBadSize", std::move(message)) {}
};

class EPayloadBadName : public Exception {
public:
    explicit EPayloadBadName(std::string message)
        : Exception("EPayloadBadName", std::move(message)) {}
};

// An entry the archive writer will not take.
class EEntryRefused : public Exception {
public:
    explicit EEntryRefused(std::string message) : Exception("EEntryRefused", std::move(message)) {}
};

// Offsets and sizes are signed 32-bit, so the inflated archive stays below 2 GiB.
constexpr int64_t kMaxArchiveSize = INT32_MAX;
constexpr size_t kMaxNameLength = 255;
constexpr int kEntryHeaderSize = 13; // besides the name

// The guess of the inflated size handed to the inflater: five times the compressed size, kept
// within the 32-bit limit that a large payload would pass.
int32_t InflateEstimate(int32_t compressedSize);

// What makes a name unfit for an entry, or null when it is fit. A fit name is a relative
// Windows path: 1 to 255 bytes, components separated by single backslashes, no drive, no "."
// or ".." component, no character that Windows refuses in a file name.
const char* EntryNameFault(std::string_view name);

// Indexes an inflated archive in one pass. A damaged archive raises EPayloadTruncated,
// EPayloadBadSize or EPayloadBadName; nothing outside the given bytes is read.
std::vector<TAttachedFile> IndexArchive(const uint8_t* data, int32_t size);

// Builds the archive's entries one at a time, refusing (EEntryRefused, naming the entry) what
// the index would reject or the reader could not hold: an unfit name, two names equal without
// regard to ASCII letter case, a file of 2 GiB or more, an archive over its limit.
class TArchiveWriter {
public:
    // Takes the next entry's name.
    void AddName(std::string_view name);
    // The bytes that go before the data of the entry just named.
    std::string Header(double date, int64_t size);
    // Inflated bytes so far.
    int64_t ArchiveSize() const { return FArchiveSize; }

private:
    std::unordered_set<std::string> FFoldedNames;
    std::string FName;
    int64_t FArchiveSize = 0;
};
