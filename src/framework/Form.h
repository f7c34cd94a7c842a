// A top-level window built from a form resource, shown modally. Every way of closing it (the
// close box, Alt+F4, the system menu, Esc through the cancel button) sets a modal result; the
// close query may refuse, and the window closes only when it agrees.
#pragma once

#include "framework/Control.h"

#include <memory>
#include <vector>

class TButton;

class TForm : public TControl {
public:
    TCloseQueryEvent OnCloseQuery;

    void SetProperty(const TFormProperty& p, THandlerResolver& handlers) override;
    // Creates the window and its controls from the form resource of the given name.
    void Load(const std::string& resourceName, THandlerResolver& handlers);
    // The same from the text of a form.
    void LoadFromText(std::string_view text, THandlerResolver& handlers);
    // A control of the form by name; raises EFormError when none has that name or it is of
    // another class.
    template <typename T> T* Find(const std::string& name) const {
        T* control = dynamic_cast<T*>(FindControl(name));
        if (!control)
            throw EFormError("Form resource: no " + name + " of the expected class");
        return control;
    }

    // Shows the form and runs its message loop until a modal result is set and the close
    // query agrees; returns the modal result.
    int ShowModal();
    int ModalResult() const { return FModalResult; }
    // Asks the form to close with this result (which may be 0).
    void SetModalResult(int result);
    // The control that has the focus when the form is shown.
    void SetActiveControl(TControl* control) { FActiveControl = control; }
    // The factor from design pixels to screen pixels.
    double Scale() const { return FLayout.Scale; }

protected:
    // Chooses the default font and the scale of the layout.
    void PrepareLayout();
    // Creates the form's own window, hidden, with a client area of the given design size.
    void CreateForm(int clientWidth, int clientHeight);
    template <typename T> T* Add(std::unique_ptr<T> control, TControl* parent) {
        T* added = control.get();
        control->CreateHandle(parent, FLayout);
        FControls.push_back(std::move(control));
        return added;
    }
    const TLayout& Layout() const { return FLayout; }
    TButton* RoleButton(bool cancel) const;

    DWORD Style() const override { return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN; }
    DWORD ExStyle() const override { return WS_EX_CONTROLPARENT | WS_EX_APPWINDOW; }
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void WMTimer(UINT_PTR) {}
    virtual void WMActivateApp(bool) {}

private:
    TControl* FindControl(const std::string& name) const;
    void CreateChildren(const TFormNode& node, TControl* parent, THandlerResolver& handlers);
    void FitAndCentre();
    void RunModalLoop();
    bool CloseQuery();
    void Activated(bool active);

    std::vector<std::unique_ptr<TControl>> FControls;
    TLayout FLayout;
    TGdiObject<HFONT> FDefaultFont;
    int FClientWidth = 0;
    int FClientHeight = 0;
    int FModalResult = 0;
    bool FCloseRequested = false;
    TControl* FActiveControl = nullptr;
    HWND FLastFocus = nullptr;
};
