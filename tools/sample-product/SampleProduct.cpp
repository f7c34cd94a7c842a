#include "SampleProduct.h"

#include "utils/Dates.h"

#include <cstdio>

namespace {

// splitmix64: small, fast and the same everywhere.
class TRandom {
public:
    explicit TRandom(uint64_t seed) : FState(seed) {}
    uint64_t Next() {
        uint64_t z = (FState += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 to n - 1.
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }
    double Unit() { return double(Next() >> 11) / double(1ull << 53); }

private:
    uint64_t FState;
};

uint64_t Hash(const std::string& text) {
    uint64_t h = 0xCBF29CE484222325ull; // FNV-1a
    for (unsigned char c : text)
        h = (h ^ c) * 0x100000001B3ull;
    return h;
}

// Words made of syllables, the common ones first.
std::vector<std::string> Vocabulary() {
    static const char* syllables[] = {"a",  "ar", "ba", "be", "ca", "de", "di", "el", "en",
                                      "fa", "ge", "ho", "in", "ka", "la", "le", "ma", "mi",
                                      "ne", "no", "or", "pa", "ra", "re", "ri", "sa", "se",
                                      "st", "ta", "te", "ti", "to", "un", "ve", "wa", "yo"};
    TRandom random(7);
    std::vector<std::string> words(2000);
    for (std::string& word : words)
        for (uint32_t n = 1 + random.Below(3) + random.Below(2); n > 0; --n)
            word += syllables[random.Below(std::size(syllables))];
    return words;
}

// Prose in lines of about 70 characters.
void AppendText(std::string& out, TRandom& random, size_t length) {
    static const std::vector<std::string> words = Vocabulary();
    size_t end = out.size() + length, lineStart = out.size();
    bool sentenceStart = true;
    while (out.size() < end) {
        // Skewed towards the first words, as real text is.
        double u = random.Unit();
        std::string word = words[size_t(u * u * u * double(words.size()))];
        if (sentenceStart)
            word[0] = static_cast<char>(word[0] - 'a' + 'A');
        sentenceStart = random.Below(10) == 0;
        out += word + (sentenceStart ? "." : random.Below(12) == 0 ? "," : "");
        if (out.size() - lineStart > 70) {
            out += "\r\n";
            lineStart = out.size();
        } else {
            out += ' ';
        }
    }
    out.resize(end);
}

void AppendRandom(std::string& out, TRandom& random, size_t length) {
    for (size_t i = 0; i < length; ++i)
        out += static_cast<char>(random.Next() >> 56);
}

// Date plus a number of seconds, as the manifest writes it.
std::string Later(const TDateTimeParts& date, int seconds) {
    TDateTimeParts p;
    DecodeOleDate(EncodeOleDate(date) + seconds / 86400.0, p);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", p.Year, p.Month, p.Day,
                  p.Hour, p.Minute, p.Second);
    return text;
}

const char kPng[] = "\x89PNG\r\n\x1A\n";
const char kRtf[] = "{\\rtf1\\ansi\\deff0 ";

// Numbered files of one folder: "<folder>\<stem> 01.png" and so on.
void AddNumbered(std::vector<TSampleFile>& files, const std::string& folder,
                 const std::string& stem, int count, bool twoDigits, const TSampleFile& like) {
    for (int n = 1; n <= count; ++n) {
        char number[8];
        std::snprintf(number, sizeof number, twoDigits ? "%02d" : "%d", n);
        TSampleFile file = like;
        file.Name = folder + "\\" + stem + " " + number + (twoDigits ? ".png" : ".rtf");
        files.push_back(file);
    }
}

void AddTemplates(std::vector<TSampleFile>& files) {
    const TSampleFile like{"", "", 0, 1.0, kRtf};
    AddNumbered(files, "Templates\\Letters", "Letter", 6, false, like);
    AddNumbered(files, "Templates\\Faxes", "Fax", 3, false, like);
    AddNumbered(files, "Templates\\Memos", "Memo", 3, false, like);
    AddNumbered(files, "Templates\\Reports", "Report", 4, false, like);
    AddNumbered(files, "Templates\\Resumes", "Resume", 3, false, like);
}

void AddClipLibrary(std::vector<TSampleFile>& files) {
    const TSampleFile like{"", "", 0, 0.75, kPng};
    AddNumbered(files, "Clip Library\\Images\\Bullets", "Bullet", 36, true, like);
    AddNumbered(files, "Clip Library\\Images\\Arrows", "Arrow", 30, true, like);
    AddNumbered(files, "Clip Library\\Images\\Borders", "Border", 24, true, like);
    AddNumbered(files, "Clip Library\\Images\\Frames", "Frame", 20, true, like);
    AddNumbered(files, "Clip Library\\Images\\Backgrounds", "Background", 12, true, like);
    AddNumbered(files, "Clip Library\\Clip Art\\Animals", "Animal", 20, true, like);
    AddNumbered(files, "Clip Library\\Clip Art\\Buildings", "Building", 16, true, like);
    AddNumbered(files, "Clip Library\\Clip Art\\Food and Drink", "Food and Drink", 18, true, like);
    AddNumbered(files, "Clip Library\\Clip Art\\People", "Person", 24, true, like);
    AddNumbered(files, "Clip Library\\Clip Art\\Nature", "Nature", 22, true, like);
    AddNumbered(files, "Clip Library\\Clip Art\\Office", "Office", 20, true, like);
}

// Sizes between low and high, dates two minutes apart from start.
void SpreadSizesAndDates(std::vector<TSampleFile>& files, size_t first, int32_t low, int32_t high,
                         const TDateTimeParts& start) {
    for (size_t i = first; i < files.size(); ++i) {
        TRandom random(Hash(files[i].Name));
        files[i].Size = low + int32_t(random.Below(uint32_t(high - low)));
        files[i].Date = Later(start, int(i - first) * 120);
    }
}

} // namespace

std::vector<TSampleFile> SampleFiles() {
    const TDateTimeParts spellchecker{2011, 11, 14, 9, 30, 0};
    std::vector<TSampleFile> files = {
        {"License.txt", "2012-02-26 12:59:02", 0, 1.0, ""},
        {"English (American).asc", Later(spellchecker, 0), 610000, 1.0, ""},
        {"English (British).asc", Later(spellchecker, 120), 606000, 1.0, ""},
        {"us.zlx", Later(spellchecker, 240), 96000, 0.0, "ZLX1"},
        {"uk.zlx", Later(spellchecker, 360), 94000, 0.0, "ZLX1"},
        {"userdicen.tlx", Later(spellchecker, 480), 0, 0.0, ""},
        {"English (American).cache", Later(spellchecker, 600), 380000, 0.6, "CACHE"},
        {"english.zlx", Later(spellchecker, 720), 180000, 0.0, "ZLX1"},
    };
    size_t templates = files.size();
    AddTemplates(files);
    SpreadSizesAndDates(files, templates, 14000, 40000, {2011, 9, 5, 10, 0, 0});
    size_t clipLibrary = files.size();
    AddClipLibrary(files);
    SpreadSizesAndDates(files, clipLibrary, 2000, 13000, {2010, 6, 18, 14, 0, 0});
    files.push_back({"Basic.asn", "2011-03-02 16:45:10", 220000, 0.3, "RIFF"});
    files.push_back({"Hyphenation.dat", Later(spellchecker, 840), 445000, 0.75, "HYPH"});
    return files;
}

std::string SampleContent(const TSampleFile& file) {
    if (file.Name == "License.txt") {
        std::string text;
        for (const char* c = kLicenseText; *c; ++c)
            text += *c == '\n' ? std::string("\r\n") : std::string(1, *c);
        return text;
    }
    TRandom random(Hash(file.Name));
    std::string content = file.Header;
    size_t size = size_t(file.Size);
    // Runs of text and of random bytes, in the file's proportion.
    while (content.size() < size) {
        size_t run = std::min<size_t>(256 + random.Below(3840), size - content.size());
        if (random.Unit() < file.TextShare)
            AppendText(content, random, run);
        else
            AppendRandom(content, random, run);
    }
    content.resize(size);
    return content;
}
