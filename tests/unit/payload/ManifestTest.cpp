#include "payload/Manifest.h"

#include <gtest/gtest.h>

TEST(Manifest, ReadsNamesSourcesAndDates) {
    auto lines = ParseManifest("cwp.exe\t/out/cwp.exe\t2012-02-26 13:10:44\r\n"
                               "License.txt\n"
                               "Templates\\Letters\\Letter 1.rtf\t\t2011-09-05 08:00:00\n"
                               "Basic.asn\tsounds/basic.asn");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].Name, "cwp.exe");
    EXPECT_EQ(lines[0].Source, "/out/cwp.exe");
    ASSERT_TRUE(lines[0].Date);
    EXPECT_EQ(*lines[0].Date, (TDateTimeParts{2012, 2, 26, 13, 10, 44}));
    EXPECT_EQ(lines[1].Name, "License.txt");
    EXPECT_EQ(lines[1].Source, "");
    EXPECT_FALSE(lines[1].Date);
    EXPECT_EQ(lines[2].Name, "Templates\\Letters\\Letter 1.rtf");
    EXPECT_EQ(lines[2].Source, "");
    EXPECT_TRUE(lines[2].Date);
    EXPECT_EQ(lines[3].Source, "sounds/basic.asn");
    EXPECT_EQ(lines[3].Number, 4);
}

TEST(Manifest, KeepsAnEmptyLineAsAnEmptyNameForTheWriterToRefuse) {
    auto lines = ParseManifest("a\n\nb\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].Name, "");
    EXPECT_EQ(lines[1].Number, 2);
}

TEST(Manifest, RefusesMalformedLinesNamingThem) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"", "the manifest lists no entries"},
        {"a\nb\tc\td\te\n", "manifest line 2: more than three tab-separated fields"},
        {"a\t\t2012-02-30 00:00:00",
         "manifest line 1: the date \"2012-02-30 00:00:00\" is not a valid YYYY-MM-DD HH:MM:SS"},
        {"a\t\t2012-2-26 12:59:02",
         "manifest line 1: the date \"2012-2-26 12:59:02\" is not a valid YYYY-MM-DD HH:MM:SS"},
        {"a\t\t2012-02-26T12:59:02",
         "manifest line 1: the date \"2012-02-26T12:59:02\" is not a valid YYYY-MM-DD HH:MM:SS"},
        {"a\t\t2012-02-26 24:00:00",
         "manifest line 1: the date \"2012-02-26 24:00:00\" is not a valid YYYY-MM-DD HH:MM:SS"},
        {"a\t\t2012-02-26 12:59:02 ",
         "manifest line 1: the date \"2012-02-26 12:59:02 \" is not a valid YYYY-MM-DD HH:MM:SS"},
    };
    for (const Case& c : cases) {
        try {
            ParseManifest(c.text);
            ADD_FAILURE() << c.text << ": accepted";
        } catch (const EManifestError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}
