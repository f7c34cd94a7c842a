#include "payload/PeResource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = v >> 8 & 0xFF;
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

constexpr uint32_t kSectionRva = 0x1000, kSectionFile = 0x400, kDataAt = 100;

// The smallest image a linker would write with one resource section holding a resource of
// type and name "FILES" (language neutral), laid out as windres lays it out.
std::vector<uint8_t> Image(bool pe32Plus, const std::string& data) {
    std::vector<uint8_t> b(kSectionFile + kDataAt + data.size());
    Put16(b, 0, 0x5A4D);
    Put32(b, 0x3C, 0x40);
    Put32(b, 0x40, 0x00004550);
    const size_t coff = 0x44, opt = coff + 20;
    const uint32_t optSize = pe32Plus ? 240 : 224, dirs = pe32Plus ? 112 : 96;
    Put16(b, coff, pe32Plus ? 0x8664 : 0x14C);
    Put16(b, coff + 2, 1);
    Put16(b, coff + 16, optSize);
    Put16(b, opt, pe32Plus ? 0x20B : 0x10B);
    Put32(b, opt + dirs - 4, 16);
    Put32(b, opt + dirs + 16, kSectionRva);
    Put32(b, opt + dirs + 20, kDataAt);
    const size_t section = opt + optSize;
    Put32(b, section + 8, uint32_t(kDataAt + data.size()));
    Put32(b, section + 12, kSectionRva);
    Put32(b, section + 16, uint32_t(kDataAt + data.size()));
    Put32(b, section + 20, kSectionFile);

    const size_t r = kSectionFile, name = 88;
    Put16(b, r + 12, 1);                     // type directory: one named entry
    Put32(b, r + 16, 0x80000000 | name);     //   "FILES"
    Put32(b, r + 20, 0x80000000 | 24);       //   -> name directory
    Put16(b, r + 24 + 12, 1);                // name directory: one named entry
    Put32(b, r + 40, 0x80000000 | name);     //   "FILES"
    Put32(b, r + 44, 0x80000000 | 48);       //   -> language directory
    Put16(b, r + 48 + 14, 1);                // language directory: one numbered entry
    Put32(b, r + 64, 0);                     //   neutral
    Put32(b, r + 68, 72);                    //   -> data entry
    Put32(b, r + 72, kSectionRva + kDataAt); // data entry: address
    Put32(b, r + 76, uint32_t(data.size())); //   size
    Put16(b, r + name, 5);
    for (size_t i = 0; i < 5; ++i)
        Put16(b, r + name + 2 + 2 * i, uint8_t("FILES"[i]));
    std::copy(data.begin(), data.end(), b.begin() + r + kDataAt);
    return b;
}

std::string Found(const std::vector<uint8_t>& image, const char* type, const char* name) {
    auto bytes = FindPeResource(image, type, name);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "(none)";
}

} // namespace

TEST(PeResource, FindsANamedResourceInBothImageKinds) {
    for (bool pe32Plus : {false, true}) {
        auto image = Image(pe32Plus, "payload bytes");
        EXPECT_EQ(Found(image, "FILES", "FILES"), "payload bytes");
        EXPECT_EQ(Found(image, "files", "Files"), "payload bytes");
        EXPECT_EQ(Found(image, "LOGO", "FILES"), "(none)");
        EXPECT_EQ(Found(image, "FILES", "FILE"), "(none)");
    }
}

TEST(PeResource, AnImageWithoutResourcesHasNone) {
    auto image = Image(false, "x");
    Put32(image, 0x58 + 96 + 16, 0);
    EXPECT_EQ(Found(image, "FILES", "FILES"), "(none)");
}

TEST(PeResource, RefusesEveryTruncationOfTheImage) {
    auto image = Image(false, "payload");
    for (size_t length = 0; length < image.size(); ++length) {
        // A block of its own so that the sanitizer sees any read past the end.
        std::vector<uint8_t> cut(image.begin(), image.begin() + length);
        EXPECT_THROW(FindPeResource(cut, "FILES", "FILES"), EPeFormat) << length;
    }
}

TEST(PeResource, RefusesTablesThatPointOutside) {
    struct Case {
        const char* what;
        size_t at;
        int width;
        uint32_t value;
    } cases[] = {
        {"no MZ", 0, 16, 0x5A4E},
        {"header offset past the end", 0x3C, 32, 0xFFFFFFF0},
        {"no PE signature", 0x40, 32, 0x00004551},
        {"unknown optional header", 0x58, 16, 0x0107},
        {"section table past the end", 0x44 + 16, 16, 0xFFFF},
        {"resource directory outside the sections", 0x58 + 96 + 16, 32, 0x5000},
        {"name string past the section", kSectionFile + 16, 32, 0x8000FFF0},
        {"type entry that is no directory", kSectionFile + 20, 32, 24},
        {"language entry that is a directory", kSectionFile + 68, 32, 0x80000000 | 72},
        {"data address outside the sections", kSectionFile + 72, 32, 0xFFFFFFF0},
        {"data size past the section", kSectionFile + 76, 32, 0x7FFFFFFF},
    };
    for (const Case& c : cases) {
        auto image = Image(false, "payload");
        if (c.width == 16)
            Put16(image, c.at, c.value);
        else
            Put32(image, c.at, c.value);
        EXPECT_THROW(FindPeResource(image, "FILES", "FILES"), EPeFormat) << c.what;
    }
}
