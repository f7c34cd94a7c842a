#include "Build.h"

#include "Compressor.h"
#include "payload/Archive.h"
#include "payload/Manifest.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct TPlannedEntry {
    fs::path Source;
    std::string Header;
    int64_t Size;
};

std::string ReadText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw EFOpenError(path.string());
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

fs::path SourcePath(const TManifestLine& line, const fs::path& productDir) {
    std::string source = line.Source;
    if (source.empty()) {
        source = line.Name;
        for (char& c : source)
            if (c == '\\')
                c = '/';
    }
    return productDir / source;
}

// The file's modification time as local wall-clock time.
TDateTimeParts ModificationTime(const struct stat& status) {
    std::tm t{};
    localtime_r(&status.st_mtime, &t);
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, std::min(t.tm_sec, 59)};
}

TPlannedEntry PlanEntry(const TManifestLine& line, const fs::path& productDir,
                        TArchiveWriter& writer) {
    writer.AddName(line.Name);
    std::string entry = "\"" + line.Name + "\": ";
    fs::path source = SourcePath(line, productDir);
    struct stat status;
    if (stat(source.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        throw EEntryRefused(entry + "missing source file " + source.string());
    TDateTimeParts date = line.Date ? *line.Date : ModificationTime(status);
    if (!IsValidDateTime(date))
        throw EEntryRefused(entry + "a modification time outside the years 100 to 9999");
    // Even whole seconds, so that a file the setup wrote matches its entry at DOS resolution.
    date.Second -= date.Second % 2;
    return {source, writer.Header(EncodeOleDate(date), status.st_size), status.st_size};
}

std::vector<TPlannedEntry> PlanEntries(const std::vector<TManifestLine>& lines,
                                       const fs::path& productDir) {
    TArchiveWriter writer;
    std::vector<TPlannedEntry> entries;
    for (const TManifestLine& line : lines) {
        try {
            entries.push_back(PlanEntry(line, productDir, writer));
        } catch (const EEntryRefused& e) {
            throw EEntryRefused("manifest line " + std::to_string(line.Number) + ": " +
                                e.Message());
        }
    }
    return entries;
}

void PackFile(const TPlannedEntry& entry, TCompressor& compressor) {
    std::ifstream file(entry.Source, std::ios::binary);
    if (!file)
        throw EFOpenError(entry.Source.string());
    int64_t packed = 0;
    std::vector<char> chunk(1 << 20);
    while (file.read(chunk.data(), std::streamsize(chunk.size())) || file.gcount() > 0) {
        compressor.Write({chunk.data(), size_t(file.gcount())});
        packed += file.gcount();
    }
    if (packed != entry.Size)
        throw EStreamError(entry.Source.string() + " changed while it was packed");
}

// A progress line on a terminal, redrawn a few times a second.
class TProgress {
public:
    TProgress(size_t entries, int64_t bytes) : FEntries(entries), FBytes(bytes) {}

    void Step(int64_t bytes) {
        ++FDone;
        FDoneBytes += bytes;
        auto now = std::chrono::steady_clock::now();
        if (!FShown || now - FLastShown > std::chrono::milliseconds(200) || FDone == FEntries) {
            std::fprintf(stderr, "\rpacking: %zu/%zu entries, %.1f of %.1f MB", FDone, FEntries,
                         double(FDoneBytes) / 1e6, double(FBytes) / 1e6);
            FLastShown = now;
            FShown = true;
        }
    }
    ~TProgress() {
        if (FShown)
            std::fputc('\n', stderr);
    }

private:
    size_t FEntries, FDone = 0;
    int64_t FBytes, FDoneBytes = 0;
    bool FShown = false;
    std::chrono::steady_clock::time_point FLastShown;
};

std::vector<uint8_t> Compress(const std::vector<TPlannedEntry>& entries, int zopfliIterations,
                              int64_t dataSize) {
    auto compressor =
        zopfliIterations > 0 ? NewZopfliCompressor(zopfliIterations) : NewZlibCompressor();
    bool terminal = isatty(STDERR_FILENO);
    {
        std::optional<TProgress> progress;
        if (terminal)
            progress.emplace(entries.size(), dataSize);
        for (const TPlannedEntry& entry : entries) {
            compressor->Write(entry.Header);
            PackFile(entry, *compressor);
            if (progress)
                progress->Step(entry.Size);
        }
    }
    if (terminal && zopfliIterations > 0)
        std::fputs("compressing with Zopfli...\n", stderr);
    return compressor->Finish();
}

// Writes beside the output and renames, so that a failed write leaves no half payload.
void WriteOutput(const fs::path& output, const std::vector<uint8_t>& stream) {
    fs::path temporary = output;
    temporary += ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(stream.data()), std::streamsize(stream.size()));
        if (!file.flush())
            throw EFOpenError(temporary.string());
    }
    fs::rename(temporary, output);
}

} // namespace

void BuildPayload(const TBuildOptions& options) {
    auto lines = ParseManifest(ReadText(options.Manifest));
    auto entries = PlanEntries(lines, options.ProductDir);
    int64_t dataSize = 0, archiveSize = 0;
    for (const TPlannedEntry& entry : entries) {
        dataSize += entry.Size;
        archiveSize += int64_t(entry.Header.size()) + entry.Size;
    }
    auto stream = Compress(entries, options.ZopfliIterations, dataSize);
    WriteOutput(options.Output, stream);
    std::printf("%zu entries, %lld bytes of data, %lld bytes inflated, %zu bytes compressed "
                "(%.1f%%)\n",
                entries.size(), static_cast<long long>(dataSize),
                static_cast<long long>(archiveSize), stream.size(),
                archiveSize ? 100.0 * double(stream.size()) / double(archiveSize) : 0.0);
}
