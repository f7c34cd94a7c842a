#include "framework/StringList.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

// A file in the test's temporary folder, removed when the test ends.
class StringListFile : public testing::Test {
protected:
    void TearDown() override { std::remove(FPath.c_str()); }

    void Write(const std::string& bytes) { std::ofstream(FPath, std::ios::binary) << bytes; }
    std::string Read() {
        std::ostringstream bytes;
        bytes << std::ifstream(FPath, std::ios::binary).rdbuf();
        return bytes.str();
    }

    std::string FPath = testing::TempDir() + "corvella-stringlist.txt";
};

std::vector<std::string> Lines(const TStringList& list) {
    std::vector<std::string> lines;
    for (int32_t i = 0; i < list.Count(); ++i)
        lines.push_back(list[i]);
    return lines;
}

int CompareIgnoringCase(const std::string& a, const std::string& b) {
    std::string la = a, lb = b;
    for (char& c : la)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : lb)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return la.compare(lb);
}

} // namespace

TEST(StringList, IndexOfUsesTheGivenComparison) {
    TStringList list;
    list.Add("Made Dir: C:\\A\\");
    list.Add("File Copy: C:\\A\\x.txt");
    EXPECT_EQ(list.IndexOf("file copy: c:\\a\\X.TXT", CompareIgnoringCase), 1);
    EXPECT_EQ(list.IndexOf("Made Dir: C:\\B\\", CompareIgnoringCase), -1);
    EXPECT_THROW(list[2], std::out_of_range);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(StringListFile, LoadingEndsLinesAtCrLfCrOrLfAndTextAtAZeroByte) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"one\r\ntwo\r\n", {"one", "two"}},
        {"one\rtwo\nthree", {"one", "two", "three"}},
        {"one\n\r\ntwo\r\r\n", {"one", "", "two", ""}},
        {"\r\n", {""}},
        {std::string("one\r\ntw\0o\r\nthree", 17), {"one", "tw"}},
    };
    for (const Case& c : cases) {
        Write(c.bytes);
        TStringList list;
        list.Add("replaced");
        list.LoadFromFile(FPath);
        EXPECT_EQ(Lines(list), c.lines) << testing::PrintToString(c.bytes);
    }
}

TEST_F(StringListFile, SavingEndsEveryLineWithCrLf) {
    TStringList list;
    list.Add("Made Dir: C:\\A\\");
    list.Add("");
    list.Add("File Copy: C:\\A\\x.txt");
    list.SaveToFile(FPath);
    EXPECT_EQ(Read(), "Made Dir: C:\\A\\\r\n\r\nFile Copy: C:\\A\\x.txt\r\n");

    TStringList back;
    back.LoadFromFile(FPath);
    EXPECT_EQ(Lines(back), Lines(list));

    TStringList empty;
    empty.SaveToFile(FPath);
    EXPECT_EQ(Read(), "");
}

TEST_F(StringListFile, MissingFilesAndFoldersRaiseEFOpenError) {
    std::string missing = testing::TempDir() + "corvella-no-such-folder/list.txt";
    TStringList list;
    list.Add("kept");
    EXPECT_THROW(list.LoadFromFile(missing), EFOpenError);
    EXPECT_EQ(Lines(list), std::vector<std::string>{"kept"});
    EXPECT_THROW(list.SaveToFile(missing), EFOpenError);
}

#ifndef _WIN32
TEST(StringList, AWriteThatFailsRaisesEStreamError) {
    TStringList list;
    list.Add("a line that the full device cannot take");
    EXPECT_THROW(list.SaveToFile("/dev/full"), EStreamError);
}
#endif
