#include "framework/FormReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

TEST(FormReader, ReadsATreeOfControlsWithTheirProperties) {
    auto root = ReadForm("// the window\n"
                         "TSomeForm Main {\n"
                         "    ClientSize = 492 351\n"
                         "    TPanel Top {\n"
                         "        Color = #FF8000\n"
                         "        Caption = \"a\\rb \\\"q\\\" \\\\\"\n"
                         "        TLabel {\n"
                         "            AutoSize = false\n"
                         "            Bounds = -1 2 3 4\n"
                         "        }\n"
                         "    }\n"
                         "    OnCloseQuery = FormCloseQuery\n"
                         "}\n");
    EXPECT_EQ(root->ClassName, "TSomeForm");
    EXPECT_EQ(root->Name, "Main");
    ASSERT_EQ(root->Properties.size(), 2u);
    EXPECT_EQ(root->Properties[0].AsIntegers(2), (std::vector<int32_t>{492, 351}));
    EXPECT_EQ(root->Properties[1].AsWord(), "FormCloseQuery");
    ASSERT_EQ(root->Children.size(), 1u);
    const TFormNode& top = *root->Children[0];
    EXPECT_EQ(top.Line, 4);
    EXPECT_EQ(top.Properties[0].AsColor(), 0xFF8000u);
    EXPECT_EQ(top.Properties[1].AsString(), "a\rb \"q\" \\");
    const TFormNode& label = *top.Children[0];
    EXPECT_EQ(label.Name, "");
    EXPECT_FALSE(label.Properties[0].AsBoolean());
    EXPECT_EQ(label.Properties[1].AsIntegers(4), (std::vector<int32_t>{-1, 2, 3, 4}));
}

TEST(FormReader, RefusesDamagedTextNamingTheLine) {
    struct Case {
        const char* Text;
        const char* Message;
    } cases[] = {
        {"", "line 1: a class name was expected"},
        {"TForm F {\n  Caption = \"open\n}", "line 2: unterminated string"},
        {"TForm F {\n  Caption = \"\\n\"\n}", "line 2: unknown escape"},
        {"TForm F {\n\n  Color = #12345\n}", "line 3: a colour is # and six"},
        {"TForm F {\n  Bounds = 1 99999999999\n}", "line 2: number out of range"},
        {"TForm F {\n  TLabel {\n", "line 2: 'TLabel' is not closed"},
        {"TForm F {\n}\n}", "line 3: text after the form's closing brace"},
        {"TForm F {\n  = 3\n}", "line 2: a property or a class name was expected"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        try {
            ReadForm(c.Text);
            ADD_FAILURE() << "accepted";
        } catch (const EFormError& e) {
            EXPECT_NE(e.Message().find(c.Message), std::string::npos) << e.Message();
        }
    }
}

TEST(FormReader, PropertiesOfTheWrongKindAreRefused) {
    auto root = ReadForm("TForm F {\n  A = 1 2\n  B = yes\n  C = \"x\"\n}");
    EXPECT_THROW(root->Properties[0].AsInteger(), EFormError);
    EXPECT_THROW(root->Properties[1].AsBoolean(), EFormError);
    EXPECT_THROW(root->Properties[2].AsColor(), EFormError);
    EXPECT_EQ(WordIn(root->Properties[1], {"no", "yes"}), 1u);
    EXPECT_THROW(WordIn(root->Properties[1], {"Left", "Right"}), EFormError);
}

TEST(FormReader, ReadsTheWizardsForm) {
    std::ifstream file(CORVELLA_SOURCE_DIR "/src/resources/MainDlg.form", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    auto root = ReadForm(text.str());
    EXPECT_EQ(root->ClassName, "TMainDlgForm");
    const TFormNode* pages = nullptr;
    for (const auto& child : root->Children)
        if (child->Name == "PgCtrl")
            pages = child.get();
    ASSERT_NE(pages, nullptr);
    std::vector<std::string> sheets;
    for (const auto& sheet : pages->Children)
        sheets.push_back(sheet->Name);
    EXPECT_EQ(sheets,
              (std::vector<std::string>{"WelcomeTabSheet", "LicenseTabSheet", "DestDirTabSheet",
                                        "SelCompTabSheet", "StartTabSheet", "InstallingTabSheet",
                                        "AssocTabSheet", "FinishTabSheet"}));
}
