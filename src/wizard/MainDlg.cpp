#include "wizard/MainDlg.h"

#include "framework/Application.h"
#include "framework/ControlClasses.h"
#include "framework/MessageDialog.h"
#include "framework/ResourceStream.h"
#include "imaging/PNG.h"
#include "payload/AttachFiles.h"
#include "utils/InstUtils.h"
#include "utils/Registry.h"
#include "wizard/ResConst.h"

#include <cctype>
#include <cstdlib>
#include <shlobj.h>

namespace {

const char kRunningMessage[] =
    "A copy of Corvella Word Processor is already running on your system.\rPlease close any "
    "running instance(s) of Corvella Word Processor, then click OK in this dialog.";
const char kDeclineMessage[] =
    "To install this program, you need to agree to all the terms\rof the Corvella Word "
    "Processor License Agreement.\rDo you really want to cancel the Corvella install?";
const char kQuitMessage[] =
    "Setup is not complete. If you quit this setup program now,\rCorvella will not be "
    "correctly installed.\r\rYou may relaunch the setup program at a later time\rto complete "
    "the installation of Corvella.\r\rTo continue installing, click No.\rTo quit this setup "
    "program, click Abort.";
const char kSelCompCaption[] =
    "Uncheck boxes for the &components that you do not wish to install or upgrade (the required "
    "disk space is displayed on the right):";
const char kRunningMarker[] = "1.x Birch Gale";

class TLoggingSuspended {
public:
    TLoggingSuspended() { SuspendLogging(); }
    TLoggingSuspended(const TLoggingSuspended&) = delete;
    TLoggingSuspended& operator=(const TLoggingSuspended&) = delete;
    ~TLoggingSuspended() { ResumeLogging(); }
};

constexpr UINT_PTR kStatusTimer = 1;
constexpr UINT_PTR kDriveTimer = 2;

// The caption with each "%s" replaced by the next argument.
std::string FormatCaption(const std::string& format, std::initializer_list<const char*> args) {
    std::string out;
    auto arg = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format.compare(i, 2, "%s") == 0 && arg != args.end()) {
            out += *arg++;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

bool HasDrivePart(const std::string& s) {
    if (s.size() >= 2 && std::isalpha(static_cast<unsigned char>(s[0])) && s[1] == ':')
        return true;
    // \\server\share
    if (s.compare(0, 2, "\\\\") != 0)
        return false;
    size_t shareStart = s.find('\\', 2);
    return shareStart != std::string::npos && shareStart > 2 && shareStart + 1 < s.size() &&
           s[shareStart + 1] != '\\';
}

[[noreturn]] void NoHandler(const TFormProperty& p) {
    throw EFormError("Form resource, line " + std::to_string(p.Line) + ": no handler " +
                     p.AsWord());
}

BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM found) {
    if (GetPropA(window, kRunningMarker)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

} // namespace

void RegisterControlClasses() {
    RegisterControlClass<TBevel>("TBevel");
    RegisterControlClass<TButton>("TButton");
    RegisterControlClass<TCheckBox>("TCheckBox");
    RegisterControlClass<TCheckListBox>("TCheckListBox");
    RegisterControlClass<TListBox>("TDirectoryListBox");
    RegisterControlClass<TDriveComboBox>("TDriveComboBox");
    RegisterControlClass<TEdit>("TEdit");
    RegisterControlClass<TImage>("TImage");
    RegisterControlClass<TLabel>("TLabel");
    RegisterControlClass<TListBox>("TListBox");
    RegisterControlClass<TMemo>("TMemo");
    RegisterControlClass<TPanel>("TPanel");
    RegisterControlClass<TProgressBar>("TProgressBar");
    RegisterControlClass<TPageControl>("TPageControl");
    RegisterControlClass<TTabSheet>("TTabSheet");
}

void LoadPngResource(const std::string& name, TPNGImage& image) {
    TResourceStream stream(name, "PNG");
    image.LoadFromStream(stream);
}

bool IsProgramRunning() {
    bool found = false;
    EnumWindows(FindMarkedWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

TMainDlgForm::TMainDlgForm() {
    Load("TMAINDLGFORM", *this);
    BindControls();
    SetCaption("Corvella Word Processor - Setup");
    if (HICON icon = Application.Icon())
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    // TopPanel needs no setting to stay white under visual styles: panels here always paint
    // their own colour.
    TPNGImage logo;
    LoadPngResource("LOGOSMALL", logo);
    LogoSmallImage->SetPicture(logo);
    LoadPngResource("LOGO", logo);
    LogoImage->SetPicture(logo);
    WelcomeLbl->SetCaption(FormatCaption(WelcomeLbl->Caption(), {ProductName, EditionSuffix}));
    FinishLbl->SetCaption(FormatCaption(FinishLbl->Caption(), {ProductName, EditionSuffix}));
    const char* const sheets[] = {"LicenseTabSheet", "DestDirTabSheet",    "SelCompTabSheet",
                                  "StartTabSheet",   "InstallingTabSheet", "AssocTabSheet",
                                  "FinishTabSheet"};
    for (int i = 0; i < 7; ++i)
        Find<TTabSheet>(sheets[i])->Tag = i + 1;
    LoadSettings();
    DestDirEdt->SetText(FDestDir);
    DestDirCmbBx->SetCurrentDrive(FDestDir.empty() ? 'c' : FDestDir[0]);
    SelCompLbl->SetCaption(kSelCompCaption);
    SetTimer(Handle(), kStatusTimer, 100, nullptr);
    SetTimer(Handle(), kDriveTimer, 1000, nullptr);
    ChangePage(255, 0);
}

TMainDlgForm::~TMainDlgForm() {
    KillTimer(Handle(), kStatusTimer);
    KillTimer(Handle(), kDriveTimer);
}

void TMainDlgForm::BindControls() {
    PgCtrl = Find<TPageControl>("PgCtrl");
    TopLbl = Find<TLabel>("TopLbl");
    LogoSmallImage = Find<TImage>("LogoSmallImage");
    LogoImage = Find<TImage>("LogoImage");
    BackBtn = Find<TButton>("BackBtn");
    NextBtn = Find<TButton>("NextBtn");
    CancelBtn = Find<TButton>("CancelBtn");
    WelcomeLbl = Find<TLabel>("WelcomeLbl");
    LicenseMemo = Find<TMemo>("LicenseMemo");
    LicenseChkBx = Find<TCheckBox>("LicenseChkBx");
    DestDirEdt = Find<TEdit>("DestDirEdt");
    DestDirCmbBx = Find<TDriveComboBox>("DestDirCmbBx");
    SelCompLbl = Find<TLabel>("SelCompLbl");
    SelCompLstBx = Find<TCheckListBox>("SelCompLstBx");
    AssocChkBx1 = Find<TCheckBox>("AssocChkBx1");
    FinishLbl = Find<TLabel>("FinishLbl");
}

TNotifyEvent TMainDlgForm::Notify(const TFormProperty& p) {
    const std::string& name = p.AsWord();
    if (name == "BNClick")
        return [this](TControl& sender) { BNClick(sender); };
    if (name == "CancelBtnClick")
        return [this](TControl& sender) { CancelBtnClick(sender); };
    NoHandler(p);
}

TCloseQueryEvent TMainDlgForm::CloseQuery(const TFormProperty& p) {
    if (p.AsWord() == "FormCloseQuery")
        return [this](TControl& sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    NoHandler(p);
}

TDrawItemEvent TMainDlgForm::DrawItem(const TFormProperty& p) {
    NoHandler(p);
}

void TMainDlgForm::LoadSettings() {
    TRegistry registry;
    registry.OpenKey("Software\\Corvella Word Processor\\Install");
    if (registry.ValueExists("MAINDIR"))
        FDestDir = registry.ReadString("MAINDIR");
    if (FDestDir.empty() || !FolderExists(FDestDir))
        FDestDir = JoinPath(SpecialFolder(CSIDL_PROGRAM_FILES), "Corvella");
    // "-d" followed by a folder, as one argument, overrides the destination as it stands.
    if (__argc > 1 && std::string(__argv[1]).compare(0, 2, "-d") == 0)
        FDestDir = __argv[1] + 2;
}

TTabSheet* TMainDlgForm::FindPageByTag(uint8_t page) const {
    for (TTabSheet* sheet : PgCtrl->Pages())
        if (static_cast<uint8_t>(sheet->Tag) == page)
            return sheet;
    return nullptr;
}

void TMainDlgForm::BNClick(TControl& sender) {
    auto current = static_cast<uint8_t>(PgCtrl->ActivePage()->Tag);
    ChangePage(current, static_cast<uint8_t>(&sender == BackBtn ? current - 1 : current + 1));
}

void TMainDlgForm::CancelBtnClick(TControl&) {
    SetModalResult(mrCancel);
}

void TMainDlgForm::FormCloseQuery(TControl&, bool& canClose) {
    bool allowed = FCloseAllowed;
    if (!allowed)
        allowed = MessageDlg(kQuitMessage, mtConfirmation, Buttons({mbNo, mbAbort})) == mrAbort;
    FCloseAllowed = allowed;
    canClose = allowed;
}

void TMainDlgForm::ChangePage(uint8_t fromPage, uint8_t toPage) {
    if (EnterPage(toPage, fromPage))
        ShowPage(toPage);
}

bool TMainDlgForm::EnterPage(uint8_t page, uint8_t fromPage) {
    switch (page) {
    case 1:
        return EnterLicensePage(fromPage);
    case 2:
        return LeaveLicensePage(fromPage);
    case 3:
        if (fromPage == 2) {
            NormalizeDestDir();
            FDestDir = DestDirEdt->Text();
        }
        return true;
    case 5:
        return ProgramNotRunning();
    case 8:
        FCloseAllowed = true;
        SetModalResult(mrOk);
        return false;
    default:
        return true;
    }
}

bool TMainDlgForm::EnterLicensePage(uint8_t fromPage) {
    if (fromPage != 0 || LicenseMemo->LineCount() > 0)
        return true;
    if (!ProgramNotRunning())
        return false;
    NextBtn->SetEnabled(false);
    CancelBtn->SetEnabled(false);
    TWaitCursor wait;
    std::string copy = NewTempFileName();
    bool extracted;
    {
        // The licence's copy in the temporary folder is not part of the installation.
        TLoggingSuspended quiet;
        extracted = AttachedFiles->ExtractFile(nullptr, "License.txt", copy);
    }
    if (!extracted) {
        // The user chose Abort in the extraction's own message.
        FCloseAllowed = true;
        SetModalResult(mrCancel);
        return true;
    }
    TStringList licence;
    try {
        licence.LoadFromFile(copy);
    } catch (const Exception&) {
    }
    LicenseMemo->SetLines(licence);
    DeleteFileA(copy.c_str());
    return true;
}

bool TMainDlgForm::LeaveLicensePage(uint8_t fromPage) {
    if (fromPage != 1 || LicenseChkBx->Checked())
        return true;
    if (MessageDlg(kDeclineMessage, mtInformation, Buttons({mbYes, mbNo})) == mrYes) {
        FCloseAllowed = true;
        SetModalResult(mrCancel);
    }
    return false;
}

bool TMainDlgForm::ProgramNotRunning() {
    if (!IsProgramRunning())
        return true;
    MessageDlg(kRunningMessage, mtInformation, Buttons({mbOK}));
    return false;
}

void TMainDlgForm::ShowPage(uint8_t page) {
    BackBtn->SetVisible(page != 0);
    BackBtn->SetEnabled(page < 5);
    BackBtn->SetCaption("< &Back");
    NextBtn->SetEnabled(page != 5);
    NextBtn->SetCaption(page == 7 ? "&Finish" : "&Next >");
    CancelBtn->SetEnabled(page != 7);
    CancelBtn->SetCaption("Cancel");
    TopLbl->SetCaption(PageTitles[page]);
    PgCtrl->SetActivePage(FindPageByTag(page));
    TControl* const focus[] = {nullptr, LicenseMemo, DestDirEdt,  SelCompLstBx,
                               NextBtn, nullptr,     AssocChkBx1, nullptr};
    if (focus[page])
        focus[page]->SetFocus();
    else if (!IsWindowVisible(GetFocus()) || !IsWindowEnabled(GetFocus()))
        NextBtn->SetFocus();
}

void TMainDlgForm::NormalizeDestDir() {
    std::string s = DestDirEdt->Text();
    while (!s.empty() && s[0] == ' ')
        DeleteFirstChar(s);
    while (!s.empty() && LastChar(s) == ' ')
        DeleteLastChar(s);
    if (!HasDrivePart(s))
        s = std::string(1, DestDirCmbBx->CurrentDrive()) + ":";
    if (LastChar(s) == '\\')
        DeleteLastChar(s);
    size_t nameStart = s.find_last_of("\\:") + 1;
    if (nameStart == s.size() || TextsEqual(s, SpecialFolder(CSIDL_PROGRAM_FILES)))
        s = JoinPath(s, "Corvella");
    DestDirEdt->SetText(s);
}
