// A list of text lines: the install log in memory and texts loaded from files. On disk every
// line ends with CR LF; on loading a line ends at CR LF, a lone CR or a lone LF, and a zero
// byte ends the text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Three-way comparison of two lines: negative, zero or positive.
using TLineCompare = int (*)(const std::string&, const std::string&);

class TStringList {
public:
    void Add(std::string line) { FLines.push_back(std::move(line)); }
    int32_t Count() const { return static_cast<int32_t>(FLines.size()); }
    const std::string& operator[](int32_t index) const { return FLines.at(index); }
    void Clear() { FLines.clear(); }

    // The index of the first line that compares equal to line, or -1.
    int32_t IndexOf(const std::string& line, TLineCompare compare) const;

    // Replaces the lines with those of the file; raises EFOpenError when it cannot be opened
    // and EStreamError when it cannot be read.
    void LoadFromFile(const std::string& path);
    // Creates or replaces the file; raises EFOpenError when it cannot be created and
    // EStreamError when it cannot be written completely.
    void SaveToFile(const std::string& path) const;

private:
    std::vector<std::string> FLines;
};
