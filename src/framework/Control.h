// The base of every window of the class library: one owner of one window handle, created from
// the form resource's properties, and one window procedure that dispatches every message to the
// virtual handlers of the object (notifications of system controls are sent back to the control
// object that owns them).
#pragma once

#include "framework/FormReader.h"
#include "framework/GdiOwners.h"

#include <windows.h>

#include <functional>
#include <string>

class TControl;
using TNotifyEvent = std::function<void(TControl& sender)>;
using TCloseQueryEvent = std::function<void(TControl& sender, bool& canClose)>;
using TDrawItemEvent =
    std::function<void(TControl& sender, int index, const RECT& rect, UINT state, HDC dc)>;

// Finds the handlers a form resource names; raises EFormError for an unknown one.
class THandlerResolver {
public:
    virtual TNotifyEvent Notify(const TFormProperty& p) = 0;
    virtual TCloseQueryEvent CloseQuery(const TFormProperty& p) = 0;
    virtual TDrawItemEvent DrawItem(const TFormProperty& p) = 0;

protected:
    ~THandlerResolver() = default;
};

// How design pixels (at a 13-pixel dialog font) become screen pixels.
struct TLayout {
    double Scale = 1.0;
    HFONT DefaultFont = nullptr;
    int Scaled(int designPixels) const;
};

class TControl {
public:
    TControl() = default;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;
    virtual ~TControl();

    static TControl* FromHandle(HWND window);

    HWND Handle() const { return FHandle; }
    const std::string& Name() const { return FName; }
    void SetName(std::string name) { FName = std::move(name); }
    TControl* Parent() const { return FParent; }
    int32_t Tag = 0;

    // Applies one property of the form resource; an unknown one raises EFormError.
    virtual void SetProperty(const TFormProperty& p, THandlerResolver& handlers);
    // Creates the window as a child of parent (none for a top-level window).
    void CreateHandle(TControl* parent, const TLayout& layout);
    // Position and size in design pixels, relative to the parent.
    void SetDesignBounds(int left, int top, int width, int height);

    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    void SetFocus();
    void Invalidate();
    HFONT Font() const { return FFont; }

    // The brush of this control's background, which children without their own show too.
    HBRUSH BackgroundBrush() const;

protected:
    // The system window class, or nullptr for the library's own class.
    virtual const char* WindowClass() const { return nullptr; }
    virtual DWORD Style() const { return WS_CHILD | WS_CLIPSIBLINGS; }
    virtual DWORD ExStyle() const { return 0; }
    // After the window exists and has its font and text.
    virtual void AfterCreate(const TLayout&) {}

    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Notifications of this control, sent back by its parent.
    virtual void Notified(WORD /*code*/) {}
    virtual bool DrawItem(const DRAWITEMSTRUCT&) { return false; }
    // The brush a system control paints its background with; nullptr leaves it to the system.
    virtual HBRUSH ControlColor(HDC dc);
    // Painting of the library's own windows, over the erased background.
    virtual void Paint(HDC) {}
    virtual void CaptionChanged() {}

    void SetColor(COLORREF color);
    std::string FCaption;

private:
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    void Attach(HWND window);
    void MakeFont(const TLayout& layout);

    HWND FHandle = nullptr;
    WNDPROC FSystemProc = nullptr;
    std::string FName;
    TControl* FParent = nullptr;
    RECT FBounds = {0, 0, 0, 0}; // left, top, right, bottom in design pixels
    bool FVisible = true;
    bool FEnabled = true;
    std::string FFontFace;
    int FFontHeight = 0; // design pixels; 0 keeps the parent's font
    bool FFontBold = false;
    COLORREF FFontColor = CLR_INVALID; // CLR_INVALID: the parent's
    HFONT FFont = nullptr;
    TGdiObject<HFONT> FOwnFont;
    TGdiObject<HBRUSH> FOwnBrush;
};

// The library's own window class, registered on first use.
const char* OwnWindowClass();
