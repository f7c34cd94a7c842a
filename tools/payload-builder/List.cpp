#include "List.h"

#include "imaging/Zlib.h"
#include "payload/Archive.h"
#include "utils/Dates.h"
#include "payload/PeResource.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw EFOpenError(path.string());
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The payload inside a setup executable, or the whole file when it is none.
std::span<const uint8_t> Payload(const std::vector<uint8_t>& file) {
    if (file.size() < 2 || file[0] != 'M' || file[1] != 'Z')
        return file;
    auto resource = FindPeResource(file, "FILES", "FILES");
    if (!resource)
        throw EPeFormat("The executable has no \"FILES\" resource");
    return *resource;
}

std::string DateText(double date) {
    TDateTimeParts p;
    if (!DecodeOleDate(date, p))
        return "(no date)          ";
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", p.Year, p.Month, p.Day,
                  p.Hour, p.Minute, p.Second);
    return text;
}

} // namespace

void ListPayload(const std::filesystem::path& path) {
    auto file = ReadBytes(path);
    auto payload = Payload(file);
    if (payload.size() > INT32_MAX)
        throw EStreamError("The payload is larger than 2 GiB");
    auto compressedSize = static_cast<int32_t>(payload.size());
    TInflatedBlock archive;
    int32_t archiveSize = 0;
    InflateBuffer(payload.data(), compressedSize, archive, archiveSize,
                  InflateEstimate(compressedSize));
    auto entries = IndexArchive(archive.get(), archiveSize);

    int64_t dataSize = 0;
    for (const TAttachedFile& entry : entries) {
        std::printf("%10d  %s  %s\n", entry.Size, DateText(entry.Date).c_str(), entry.Name.c_str());
        dataSize += entry.Size;
    }
    std::printf("%zu entries, %lld bytes of data, %d bytes inflated, %d bytes compressed\n",
                entries.size(), static_cast<long long>(dataSize), archiveSize, compressedSize);
}
