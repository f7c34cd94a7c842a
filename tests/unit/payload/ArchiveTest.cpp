#include "payload/Archive.h"
#include "utils/Dates.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const double kLicenseDate = EncodeOleDate({2012, 2, 26, 12, 59, 2});

// An archive written the way the payload builder writes it.
std::vector<uint8_t> Archive(const std::vector<std::pair<std::string, std::string>>& files) {
    TArchiveWriter writer;
    std::string bytes;
    for (const auto& [name, data] : files) {
        writer.AddName(name);
        bytes += writer.Header(kLicenseDate, int64_t(data.size())) + data;
    }
    return {bytes.begin(), bytes.end()};
}

// One entry as raw bytes, whatever its fields say.
std::string RawEntry(std::string_view name, int32_t size, std::string_view data) {
    std::string bytes(1, static_cast<char>(name.size()));
    bytes += name;
    bytes.append(8, '\0');
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>(static_cast<uint32_t>(size) >> shift & 0xFF);
    return bytes + std::string(data);
}

// Indexes exactly the given bytes, in a block of their own size so that the sanitizer
// catches any read past the end.
std::vector<TAttachedFile> Index(const std::string& bytes) {
    std::vector<uint8_t> block(bytes.begin(), bytes.end());
    return IndexArchive(block.data(), static_cast<int32_t>(block.size()));
}

} // namespace

TEST(ArchiveIndex, ReadsEveryEntryUpToTheEnd) {
    auto bytes = Archive({{"cwp.exe", "MZ-program"},
                          {"userdicen.tlx", ""},
                          {"Templates\\Letters\\Letter 1.rtf", "{\\rtf1}"}});
    auto entries = IndexArchive(bytes.data(), static_cast<int32_t>(bytes.size()));

    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Name, "cwp.exe");
    EXPECT_EQ(entries[0].Size, 10);
    EXPECT_EQ(entries[0].Offset, 1 + 7 + 12);
    EXPECT_EQ(
        std::string(bytes.begin() + entries[0].Offset, bytes.begin() + entries[0].Offset + 10),
        "MZ-program");
    // An empty entry's data begins where the next entry begins.
    EXPECT_EQ(entries[1].Size, 0);
    EXPECT_EQ(entries[1].Offset, entries[0].Offset + 10 + 1 + 13 + 12);
    // A name with folders is one entry; no entry stands for a folder.
    EXPECT_EQ(entries[2].Name, "Templates\\Letters\\Letter 1.rtf");
    EXPECT_EQ(entries[2].Offset + entries[2].Size, int32_t(bytes.size()));
    EXPECT_EQ(std::memcmp(&entries[2].Date, &kLicenseDate, 8), 0);
}

TEST(ArchiveIndex, AnEmptyArchiveHasNoEntries) {
    EXPECT_TRUE(IndexArchive(nullptr, 0).empty());
}

TEST(ArchiveIndex, CopiesTheDateBytesUnchanged) {
    // A NaN with a payload survives only a byte copy.
    const uint8_t date[8] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0xF8, 0x7F};
    std::string bytes = RawEntry("a", 0, "");
    std::memcpy(bytes.data() + 2, date, 8);
    auto entries = Index(bytes);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(std::memcmp(&entries[0].Date, date, 8), 0);
}

TEST(ArchiveIndex, RefusesADamagedArchiveNamingTheFault) {
    const std::string good = RawEntry("License.txt", 3, "abc");
    struct Case {
        const char* what;
        std::string bytes;
        const char* className;
    } cases[] = {
        {"name past the end", good.substr(0, 5), "EPayloadTruncated"},
        {"size field past the end", good.substr(0, 1 + 11 + 10), "EPayloadTruncated"},
        {"data past the end", good.substr(0, good.size() - 1), "EPayloadTruncated"},
        {"second entry cut short", good + good.substr(0, 14), "EPayloadTruncated"},
        {"largest size", RawEntry("a", INT32_MAX, "abc"), "EPayloadTruncated"},
        {"negative size", RawEntry("a", -1, "abc"), "EPayloadBadSize"},
        {"smallest size", good + RawEntry("a", INT32_MIN, ""), "EPayloadBadSize"},
        {"empty name", RawEntry("", 0, "") + good, "EPayloadBadName"},
        {"leading backslash", RawEntry("\\Windows\\x.dll", 0, ""), "EPayloadBadName"},
        {"drive", RawEntry("C:x.dll", 0, ""), "EPayloadBadName"},
        {"dot-dot component", RawEntry("a\\..\\..\\x.dll", 0, ""), "EPayloadBadName"},
        {"dot component", RawEntry(".\\x.dll", 0, ""), "EPayloadBadName"},
        {"dot-dot behind a slash", RawEntry("a/../../x.dll", 0, ""), "EPayloadBadName"},
        {"trailing backslash", RawEntry("Templates\\", 0, ""), "EPayloadBadName"},
    };
    for (const Case& c : cases) {
        try {
            Index(c.bytes);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.ClassName(), c.className) << c.what << ": " << e.Message();
        }
    }
}

TEST(EntryName, AcceptsRelativeWindowsPaths) {
    const std::string names[] = {"cwp.exe",
                                 "English (American).cache",
                                 "a\\b\\c",
                                 "...x",
                                 "Clip Library\\Images\\Bullets\\Bullet 01.png",
                                 std::string(255, 'n'),
                                 "\xC4nderung.txt"};
    for (const std::string& name : names)
        EXPECT_EQ(EntryNameFault(name), nullptr) << name;
}

TEST(EntryName, NamesWhatIsWrong) {
    struct Case {
        std::string name;
        const char* fault;
    } cases[] = {
        {"", "an empty name"},
        {std::string(256, 'n'), "a name longer than 255 bytes"},
        {"\\x", "an absolute name (leading backslash)"},
        {"/x", "an absolute name (leading backslash)"},
        {"\\\\server\\share\\x", "an absolute name (leading backslash)"},
        {"C:\\x", "a drive or stream (colon)"},
        {"x.txt:stream", "a drive or stream (colon)"},
        {"Templates\\", "a trailing backslash"},
        {"a/b", "a forward slash (components are separated by backslashes)"},
        {"a\\\\b", "an empty component (two backslashes in a row)"},
        {"..", "a \".\" or \"..\" component"},
        {"a\\.\\b", "a \".\" or \"..\" component"},
        {"a\\..", "a \".\" or \"..\" component"},
        {"a.\\b", "a component that ends with a dot or a blank"},
        {"a\\b ", "a component that ends with a dot or a blank"},
        {"a?.txt", "a character that Windows does not allow in file names"},
        {std::string("a\tb"), "a character that Windows does not allow in file names"},
    };
    for (const Case& c : cases) {
        const char* fault = EntryNameFault(c.name);
        ASSERT_NE(fault, nullptr) << c.name;
        EXPECT_STREQ(fault, c.fault) << c.name;
    }
}

TEST(ArchiveWriter, WritesTheEntryHeader) {
    TArchiveWriter writer;
    writer.AddName("ab");
    std::string header = writer.Header(kLicenseDate, 0x01020304);
    ASSERT_EQ(header.size(), 15u);
    EXPECT_EQ(header.substr(0, 3), "\x02"
                                   "ab");
    EXPECT_EQ(std::memcmp(header.data() + 3, &kLicenseDate, 8), 0);
    EXPECT_EQ(header.substr(11), "\x04\x03\x02\x01");
    EXPECT_EQ(writer.ArchiveSize(), 15 + 0x01020304);
}

TEST(ArchiveWriter, RefusesWhatTheReaderCouldNotHoldNamingTheEntry) {
    TArchiveWriter writer;
    writer.AddName("Clip Library\\Bullet.png");
    writer.Header(0, 10);
    auto refusal = [&](std::string_view name, int64_t size) -> std::string {
        try {
            writer.AddName(name);
            writer.Header(0, size);
        } catch (const EEntryRefused& e) {
            return e.Message();
        }
        return "accepted";
    };
    EXPECT_EQ(refusal("CLIP LIBRARY\\bullet.PNG", 1),
              "\"CLIP LIBRARY\\bullet.PNG\": the name of an earlier entry, letter case aside");
    EXPECT_EQ(refusal("big.dat", int64_t{INT32_MAX} + 1), "\"big.dat\": a file of 2 GiB or more");
    EXPECT_EQ(refusal("a\\..\\b", 1), "\"a\\..\\b\": a \".\" or \"..\" component");

    // Entries up to the limit fit; one byte more does not.
    int64_t room = kMaxArchiveSize - writer.ArchiveSize() - 13 - 5;
    EXPECT_EQ(refusal("x.dat", room - 100), "accepted");
    EXPECT_EQ(refusal("y.dat", 100 - 13 - 5 + 1).find("\"y.dat\": the archive would reach 2 GiB"),
              0u);
    EXPECT_EQ(refusal("z.dat", 100 - 13 - 5), "accepted");
    EXPECT_EQ(writer.ArchiveSize(), kMaxArchiveSize);
}

TEST(ArchiveIndex, GuessesFiveTimesTheCompressedSizeWithinTheLimit) {
    EXPECT_EQ(InflateEstimate(1000), 5000);
    EXPECT_EQ(InflateEstimate(429496729), 2147483645);
    EXPECT_EQ(InflateEstimate(429496730), INT32_MAX);
    EXPECT_EQ(InflateEstimate(INT32_MAX), INT32_MAX);
}
