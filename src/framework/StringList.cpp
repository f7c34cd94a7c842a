#include "framework/StringList.h"

#include "framework/Exceptions.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFilePtr = std::unique_ptr<std::FILE, TFileCloser>;

std::string ReadWholeFile(const std::string& path) {
    TFilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw EFOpenError(path);
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        text.append(buffer, n);
    if (std::ferror(file.get()))
        throw EStreamError("Cannot read file \"" + path + "\"");
    return text;
}

} // namespace

int32_t TStringList::IndexOf(const std::string& line, TLineCompare compare) const {
    for (size_t i = 0; i < FLines.size(); ++i)
        if (compare(FLines[i], line) == 0)
            return static_cast<int32_t>(i);
    return -1;
}

void TStringList::LoadFromFile(const std::string& path) {
    std::string text = ReadWholeFile(path);
    text.resize(std::min(text.size(), text.find('\0')));
    FLines.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        FLines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
}

void TStringList::SaveToFile(const std::string& path) const {
    TFilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw EFOpenError(path);
    bool written = true;
    for (const std::string& line : FLines)
        written = written && std::fwrite(line.data(), 1, line.size(), file.get()) == line.size() &&
                  std::fwrite("\r\n", 1, 2, file.get()) == 2;
    // Closing flushes the buffer, so it can fail as well.
    if (std::fclose(file.release()) != 0 || !written)
        throw EStreamError("Cannot write file \"" + path + "\"");
}
