#include "framework/Form.h"
#include "framework/Exceptions.h"
#include "framework/StdCtrls.h"
#include "wizard/MainDlg.h"

#include <gtest/gtest.h>

namespace {

class TTestForm : public TForm, public THandlerResolver {
public:
    int Clicks = 0;
    bool Throw = false;

    TNotifyEvent Notify(const TFormProperty& p) override {
        if (p.AsWord() != "Clicked")
            throw EFormError("no handler " + p.AsWord());
        return [this](TControl&) {
            ++Clicks;
            if (Throw)
                throw EAbort();
        };
    }
    TCloseQueryEvent CloseQuery(const TFormProperty& p) override {
        throw EFormError("no handler " + p.AsWord());
    }
    TDrawItemEvent DrawItem(const TFormProperty& p) override {
        throw EFormError("no handler " + p.AsWord());
    }
};

class Form : public ::testing::Test {
protected:
    void SetUp() override {
        static bool registered = (RegisterControlClasses(), true);
        (void)registered;
    }
};

const char kForm[] = "TTestForm F {\n"
                     "    ClientSize = 200 100\n"
                     "    TPanel P {\n"
                     "        Bounds = 0 0 200 50\n"
                     "        TButton B {\n"
                     "            Bounds = 1 2 80 22\n"
                     "            Caption = \"&Go\"\n"
                     "            OnClick = Clicked\n"
                     "        }\n"
                     "    }\n"
                     "}\n";

TEST_F(Form, CreatesControlsAndSendsTheirNotificationsToTheirHandlers) {
    TTestForm form;
    form.LoadFromText(kForm, form);
    RECT client;
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, static_cast<LONG>(200 * form.Scale() + 0.5));
    EXPECT_EQ(client.bottom, static_cast<LONG>(100 * form.Scale() + 0.5));

    auto* button = form.Find<TButton>("B");
    EXPECT_EQ(button->Caption(), "&Go");
    EXPECT_EQ(GetParent(button->Handle()), form.Find<TControl>("P")->Handle());
    // The click travels from the system's button through its parent panel.
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form.Clicks, 1);
}

TEST_F(Form, AnAbortInAHandlerEndsOnlyTheHandler) {
    TTestForm form;
    form.LoadFromText(kForm, form);
    form.Throw = true;
    SendMessageA(form.Find<TButton>("B")->Handle(), BM_CLICK, 0, 0);
    SendMessageA(form.Find<TButton>("B")->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form.Clicks, 2);
}

// Rows keep three states; a click on a row's box or Space toggles it between checked and
// unchecked and tells the handler.
TEST_F(Form, CheckListBoxRowsHaveThreeStates) {
    TTestForm form;
    form.LoadFromText("TTestForm F {\n"
                      "    ClientSize = 200 100\n"
                      "    TCheckListBox L {\n"
                      "        Bounds = 0 0 200 100\n"
                      "        ItemHeight = 16\n"
                      "        OnClickCheck = Clicked\n"
                      "    }\n"
                      "}\n",
                      form);
    auto* list = form.Find<TCheckListBox>("L");
    for (const char* row : {"zero", "one", "two"})
        list->Add(row);
    list->SetState(0, cbGrayed);
    list->SetState(1, cbChecked);
    EXPECT_EQ(list->State(0), cbGrayed);
    EXPECT_TRUE(list->Checked(1));
    EXPECT_EQ(list->State(2), cbUnchecked);
    EXPECT_EQ(list->State(3), cbUnchecked) << "no row 3";

    RECT row;
    SendMessageA(list->Handle(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    LPARAM box = MAKELPARAM(row.left + 3, row.top + 3);
    SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, box);
    SendMessageA(list->Handle(), WM_LBUTTONUP, 0, box);
    EXPECT_EQ(list->State(0), cbChecked) << "a grayed box becomes checked";
    EXPECT_EQ(form.Clicks, 1);

    LPARAM text = MAKELPARAM(row.right - 3, row.top + 3);
    SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, text);
    SendMessageA(list->Handle(), WM_LBUTTONUP, 0, text);
    EXPECT_EQ(list->State(0), cbChecked) << "a click on the text only selects";
    EXPECT_EQ(list->ItemIndex(), 0);

    SendMessageA(list->Handle(), WM_CHAR, ' ', 0);
    EXPECT_EQ(list->State(0), cbUnchecked);
    EXPECT_EQ(form.Clicks, 2);
}

TEST_F(Form, ErrorsNameWhatIsUnknown) {
    struct Case {
        const char* Text;
        const char* Message;
    } cases[] = {
        {"TTestForm F {\n TWidget W {\n }\n}", "unknown class TWidget"},
        {"TTestForm F {\n TButton B {\n  Colour = #000000\n }\n}", "B has no property Colour"},
        {"TTestForm F {\n TButton B {\n  OnClick = Nope\n }\n}", "no handler Nope"},
        {"TTestForm F {\n TPanel P {\n  BevelOuter = Sideways\n }\n}",
         "unknown setting Sideways of BevelOuter"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        TTestForm form;
        try {
            form.LoadFromText(c.Text, form);
            ADD_FAILURE() << "accepted";
        } catch (const EFormError& e) {
            EXPECT_NE(e.Message().find(c.Message), std::string::npos) << e.Message();
        }
    }
    TTestForm form;
    form.LoadFromText(kForm, form);
    EXPECT_THROW(form.Find<TLabel>("B"), EFormError);
    EXPECT_THROW(form.Find<TButton>("Missing"), EFormError);
}

} // namespace
