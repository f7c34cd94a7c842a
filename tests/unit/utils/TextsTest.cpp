#include "utils/Texts.h"

#include <gtest/gtest.h>

TEST(Texts, EscapeCaptionShowsTheTextLiterally) {
    struct Case {
        const char* text;
        const char* caption;
    } cases[] = {
        {"-", "- "}, {"Headers & Footers", "Headers && Footers"}, {"&&x&", "&&&&x&&"}, {"--", "--"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EscapeCaption(c.text), c.caption) << c.text;
}

TEST(Texts, FirstAndLastCharactersComeOffAndEmptyTextsStayEmpty) {
    std::string text = " C:\\Data ";
    EXPECT_EQ(LastChar(text), ' ');
    DeleteFirstChar(text);
    DeleteLastChar(text);
    EXPECT_EQ(text, "C:\\Data");
    EXPECT_EQ(LastChar(text), 'a');

    std::string empty;
    DeleteFirstChar(empty);
    DeleteLastChar(empty);
    EXPECT_EQ(empty, "");
    EXPECT_EQ(LastChar(empty), '\0');
}
