#include "payload/Manifest.h"

#include <algorithm>

namespace {

std::string LinePrefix(int number) {
    return "manifest line " + std::to_string(number) + ": ";
}

// Reads count digits at text[at]; false when any is not a digit.
bool ReadNumber(std::string_view text, size_t at, size_t count, int& value) {
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

bool ParseDateTime(std::string_view text, TDateTimeParts& p) {
    static constexpr std::string_view kShape = "0000-00-00 00:00:00";
    if (text.size() != kShape.size())
        return false;
    for (size_t i = 0; i < kShape.size(); ++i)
        if (kShape[i] != '0' && text[i] != kShape[i])
            return false;
    return ReadNumber(text, 0, 4, p.Year) && ReadNumber(text, 5, 2, p.Month) &&
           ReadNumber(text, 8, 2, p.Day) && ReadNumber(text, 11, 2, p.Hour) &&
           ReadNumber(text, 14, 2, p.Minute) && ReadNumber(text, 17, 2, p.Second) &&
           IsValidDateTime(p);
}

TManifestLine ParseLine(std::string_view line, int number) {
    std::vector<std::string_view> fields;
    for (size_t start = 0; start <= line.size();) {
        size_t end = std::min(line.find('\t', start), line.size());
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    if (fields.size() > 3)
        throw EManifestError(LinePrefix(number) + "more than three tab-separated fields");
    TManifestLine entry{number, std::string(fields[0]), {}, {}};
    if (fields.size() > 1)
        entry.Source = fields[1];
    if (fields.size() > 2 && !fields[2].empty()) {
        TDateTimeParts date;
        if (!ParseDateTime(fields[2], date))
            throw EManifestError(LinePrefix(number) + "the date \"" + std::string(fields[2]) +
                                 "\" is not a valid YYYY-MM-DD HH:MM:SS");
        entry.Date = date;
    }
    return entry;
}

} // namespace

std::vector<TManifestLine> ParseManifest(std::string_view text) {
    std::vector<TManifestLine> lines;
    int number = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(ParseLine(line, ++number));
        start = end + 1;
    }
    if (lines.empty())
        throw EManifestError("the manifest lists no entries");
    return lines;
}
