// The setup wizard: eight pages on a page control without tabs, the Back, Next and Cancel
// buttons, and the rules under which the window may close.
#pragma once

#include "framework/ExtCtrls.h"
#include "framework/Form.h"
#include "framework/StdCtrls.h"
#include "wizard/FileCtrl.h"

#include <cstdint>
#include <string>

class TMainDlgForm : public TForm, private THandlerResolver {
public:
    TMainDlgForm();
    ~TMainDlgForm() override;

    void ChangePage(uint8_t fromPage, uint8_t toPage);
    void NormalizeDestDir();
    TTabSheet* FindPageByTag(uint8_t page) const;

    const std::string& DestDir() const { return FDestDir; }

private:
    // Event handlers named by the form resource.
    void BNClick(TControl& sender);
    void CancelBtnClick(TControl& sender);
    void FormCloseQuery(TControl& sender, bool& canClose);

    TNotifyEvent Notify(const TFormProperty& p) override;
    TCloseQueryEvent CloseQuery(const TFormProperty& p) override;
    TDrawItemEvent DrawItem(const TFormProperty& p) override;

    void BindControls();
    void LoadSettings();
    // The entry action of a page; false when it stops the page change.
    bool EnterPage(uint8_t page, uint8_t fromPage);
    bool EnterLicensePage(uint8_t fromPage);
    bool LeaveLicensePage(uint8_t fromPage);
    void ShowPage(uint8_t page);
    // Refuses with a message while a copy of the word processor runs.
    bool ProgramNotRunning();

    TPageControl* PgCtrl;
    TLabel* TopLbl;
    TImage* LogoSmallImage;
    TImage* LogoImage;
    TButton* BackBtn;
    TButton* NextBtn;
    TButton* CancelBtn;
    TLabel* WelcomeLbl;
    TMemo* LicenseMemo;
    TCheckBox* LicenseChkBx;
    TEdit* DestDirEdt;
    TDriveComboBox* DestDirCmbBx;
    TLabel* SelCompLbl;
    TCheckListBox* SelCompLstBx;
    TCheckBox* AssocChkBx1;
    TLabel* FinishLbl;

    std::string FDestDir;
    bool FCloseAllowed = false;
};

class TPNGImage;

// Decodes the program's PNG resource of this name into image.
void LoadPngResource(const std::string& name, TPNGImage& image);

// Registers the control classes that the wizard's form resource names.
void RegisterControlClasses();

// True when some top-level window carries the word processor's running-instance marker.
bool IsProgramRunning();
