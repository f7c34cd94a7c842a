#include "payload/Archive.h"

#include <algorithm>
#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "dates are copied as they are stored");

namespace {

// The name in quotes, with bytes that would garble a message written as \xNN.
std::string Quoted(std::string_view name) {
    std::string text = "\"";
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F) {
            // By hand: the formatted-print machinery would add kilobytes to setup.exe.
            const char digits[] = "0123456789ABCDEF";
            text += {'\\', 'x', digits[c >> 4], digits[c & 15]};
        } else {
            text += static_cast<char>(c);
        }
    }
    return text + "\"";
}

bool IsForbiddenChar(unsigned char c) {
    return c < 0x20 || std::strchr("<>\"|?*", c) != nullptr;
}

const char* ComponentFault(std::string_view component) {
    if (component.empty())
        return "an empty component (two backslashes in a row)";
    if (component == "." || component == "..")
        return "a \".\" or \"..\" component";
    // Windows drops a trailing dot or blank, so the file would land under another name.
    if (component.back() == '.' || component.back() == ' ')
        return "a component that ends with a dot or a blank";
    return nullptr;
}

int32_t ReadInt32(const uint8_t* p) {
    return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 |
                                uint32_t{p[3]} << 24);
}

std::string AtOffset(int64_t offset) {
    return "Payload entry at offset " + std::to_string(offset);
}

// Reads the entry at position and moves position past its data.
TAttachedFile ReadEntry(const uint8_t* data, int32_t size, int32_t& position) {
    int64_t left = int64_t{size} - position;
    int nameLength = data[position];
    if (left < kEntryHeaderSize + nameLength)
        throw EPayloadTruncated(AtOffset(position) + ": its header runs past the end");
    TAttachedFile entry;
    const uint8_t* p = data + position + 1;
    entry.Name.assign(reinterpret_cast<const char*>(p), static_cast<size_t>(nameLength));
    if (const char* fault = EntryNameFault(entry.Name))
        throw EPayloadBadName(AtOffset(position) + " " + Quoted(entry.Name) + ": " + fault);
    std::memcpy(&entry.Date, p + nameLength, sizeof entry.Date);
    entry.Size = ReadInt32(p + nameLength + 8);
    entry.Offset = position + kEntryHeaderSize + nameLength;
    if (entry.Size < 0)
        throw EPayloadBadSize(AtOffset(position) + " " + Quoted(entry.Name) + ": negative size " +
                              std::to_string(entry.Size));
    if (entry.Size > size - entry.Offset)
        throw EPayloadTruncated(AtOffset(position) + " " + Quoted(entry.Name) +
                                ": its data runs past the end");
    position = entry.Offset + entry.Size;
    return entry;
}

void AppendInt32(std::string& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>(value >> shift & 0xFF);
}

} // namespace

int32_t InflateEstimate(int32_t compressedSize) {
    return static_cast<int32_t>(std::min<int64_t>(int64_t{compressedSize} * 5, INT32_MAX));
}

const char* EntryNameFault(std::string_view name) {
    if (name.empty())
        return "an empty name";
    if (name.size() > kMaxNameLength)
        return "a name longer than 255 bytes";
    if (name.front() == '\\' || name.front() == '/')
        return "an absolute name (leading backslash)";
    if (name.back() == '\\')
        return "a trailing backslash";
    if (name.find(':') != std::string_view::npos)
        return "a drive or stream (colon)";
    if (name.find('/') != std::string_view::npos)
        return "a forward slash (components are separated by backslashes)";
    for (unsigned char c : name)
        if (IsForbiddenChar(c))
            return "a character that Windows does not allow in file names";
    for (size_t start = 0; start <= name.size();) {
        size_t end = std::min(name.find('\\', start), name.size());
        if (const char* fault = ComponentFault(name.substr(start, end - start)))
            return fault;
        start = end + 1;
    }
    return nullptr;
}

std::vector<TAttachedFile> IndexArchive(const uint8_t* data, int32_t size) {
    std::vector<TAttachedFile> entries;
    // Every entry takes at least 14 bytes (a name is never empty), so the walk always ends.
    for (int32_t position = 0; position < size;)
        entries.push_back(ReadEntry(data, size, position));
    return entries;
}

void TArchiveWriter::AddName(std::string_view name) {
    if (const char* fault = EntryNameFault(name))
        throw EEntryRefused(Quoted(name) + ": " + fault);
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    if (!FFoldedNames.insert(std::move(folded)).second)
        throw EEntryRefused(Quoted(name) + ": the name of an earlier entry, letter case aside");
    FName = name;
}

std::string TArchiveWriter::Header(double date, int64_t size) {
    if (size < 0 || size > INT32_MAX)
        throw EEntryRefused(Quoted(FName) + ": a file of 2 GiB or more");
    int64_t archiveSize = FArchiveSize + kEntryHeaderSize + int64_t(FName.size()) + size;
    if (archiveSize > kMaxArchiveSize)
        throw EEntryRefused(Quoted(FName) + ": the archive would reach 2 GiB, over its limit of " +
                            std::to_string(kMaxArchiveSize) + " bytes");
    FArchiveSize = archiveSize;

    std::string header(1, static_cast<char>(FName.size()));
    header += FName;
    header.append(reinterpret_cast<const char*>(&date), sizeof date);
    AppendInt32(header, static_cast<uint32_t>(size));
    return header;
}
