// The payload the build embeds, read from this executable's own "FILES" resource as setup.exe
// reads its own: the sample product, laid out as the component lists and the installation
// plan expect it.
#include "utils/Scratch.h"

#include "payload/AttachFiles.h"
#include "utils/Dates.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> NamesFrom(const TAttachedFiles& reader, size_t first, size_t count) {
    std::vector<std::string> names;
    for (size_t i = first; i < first + count; ++i)
        names.push_back(reader.Entries().at(i).Name);
    return names;
}

size_t CountBelow(const TAttachedFiles& reader, const std::string& prefix) {
    size_t count = 0;
    for (const TAttachedFile& entry : reader.Entries())
        count += entry.Name.compare(0, prefix.size(), prefix) == 0;
    return count;
}

} // namespace

TEST(SamplePayload, HoldsTheProductInArchiveOrder) {
    TAttachedFiles reader;
    ASSERT_EQ(reader.Entries().size(), 272u);
    EXPECT_EQ(
        NamesFrom(reader, 0, 9),
        std::vector<std::string>({"cwp.exe", "License.txt", "English (American).asc",
                                  "English (British).asc", "us.zlx", "uk.zlx", "userdicen.tlx",
                                  "English (American).cache", "english.zlx"}));
    EXPECT_EQ(CountBelow(reader, "Templates\\"), 19u);
    EXPECT_EQ(NamesFrom(reader, 9, 19).back().rfind("Templates\\", 0), 0u);
    EXPECT_EQ(CountBelow(reader, "Clip Library\\"), 242u);
    EXPECT_EQ(NamesFrom(reader, 28, 242).back().rfind("Clip Library\\", 0), 0u);
    EXPECT_EQ(NamesFrom(reader, 270, 2),
              std::vector<std::string>({"Basic.asn", "Hyphenation.dat"}));
    EXPECT_EQ(reader.Entries()[6].Size, 0);
}

TEST(SamplePayload, ExtractsTheLicenceWithItsDate) {
    TScratchFolder scratch;
    TTempFolderOverride temp(scratch.Path());
    TAttachedFiles reader;
    std::string licence = NewTempFileName();
    ASSERT_TRUE(reader.ExtractFile(nullptr, "License.txt", licence));
    EXPECT_EQ(FileSizeOf(licence), 2228);
    EXPECT_EQ(FileWriteStamp(licence), EncodeOleDate({2012, 2, 26, 12, 59, 2}));
}

TEST(SamplePayload, HasEveryFileTheComponentsAndThePlanAskFor) {
    TScratchFolder scratch;
    TAttachedFiles reader;
    // The component lists, each name and prefix of them.
    const char* listed[] = {"cwp.exe",
                            "License.txt",
                            "English (American).asc",
                            "English (British).asc",
                            "english.zlx",
                            "us.zlx",
                            "uk.zlx",
                            "English (American).cache",
                            "Hyphenation.dat",
                            "Templates\\",
                            "Clip Library\\",
                            "Basic.asn"};
    for (const char* name : listed)
        EXPECT_GT(reader.ComponentSize(name, scratch.Path()), 0) << name;
    // Every request of the installation plan finds its entries.
    for (const char* name : listed)
        EXPECT_TRUE(reader.PlanFiles(name, scratch.Path(), 0, imAlways)) << name;
    EXPECT_TRUE(reader.PlanFiles("userdicen.tlx", scratch.Path(), 1, imIfMissing));
    EXPECT_EQ(reader.Plan(0).size(), 271u); // every entry but the empty user dictionary
}
