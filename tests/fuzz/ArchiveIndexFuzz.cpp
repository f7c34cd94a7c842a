// IndexArchive on any bytes: it refuses a damaged archive with one of its exceptions, and the
// entries of an archive it accepts, written again by the archive writer, give back exactly the
// bytes it read.
#include "payload/Archive.h"

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > INT32_MAX)
        return 0;
    // A block of exactly the input's size, so that the sanitizer sees any read past its end.
    std::vector<uint8_t> archive(data, data + size);
    std::vector<TAttachedFile> entries;
    try {
        entries = IndexArchive(archive.data(), static_cast<int32_t>(size));
    } catch (const EPayloadTruncated&) {
        return 0;
    } catch (const EPayloadBadSize&) {
        return 0;
    } catch (const EPayloadBadName&) {
        return 0;
    }
    TArchiveWriter writer;
    std::string written;
    try {
        for (const TAttachedFile& entry : entries) {
            writer.AddName(entry.Name);
            written += writer.Header(entry.Date, entry.Size);
            if (entry.Offset != int32_t(written.size()))
                __builtin_trap();
            written.append(reinterpret_cast<const char*>(archive.data()) + entry.Offset,
                           size_t(entry.Size));
        }
    } catch (const EEntryRefused&) {
        // Names equal but for letter case: the index takes them, the writer does not.
        return 0;
    }
    if (written.size() != size || std::memcmp(written.data(), data, size) != 0)
        __builtin_trap();
    return 0;
}
