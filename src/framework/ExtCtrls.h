// The library's own painted controls: panels, bevels, images and the page control.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Control.h"

#include <vector>

enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised };

// A container with a colour and up to two bevels.
class TPanel : public TControl {
public:
    void SetProperty(const TFormProperty& p, THandlerResolver& handlers) override;

protected:
    DWORD Style() const override { return WS_CHILD | WS_CLIPSIBLINGS; }
    DWORD ExStyle() const override { return WS_EX_CONTROLPARENT; }
    void Paint(HDC dc) override;

private:
    TBevelCut FBevelOuter = bvNone;
    TBevelCut FBevelInner = bvNone;
};

// An etched line: along the left side (LeftLine) or as a box (Box, a line when 2 pixels high).
class TBevel : public TControl {
public:
    void SetProperty(const TFormProperty& p, THandlerResolver& handlers) override;

protected:
    void Paint(HDC dc) override;

private:
    bool FLeftLine = false;
};

// Shows a palette bitmap at its top left corner, with its own colours.
class TImage : public TControl {
public:
    void SetPicture(const TBitmap& bitmap);

protected:
    void Paint(HDC dc) override;

private:
    TBitmap FPicture;
};

class TTabSheet;

// Pages without tabs, framed like a tab control's pane; only the active page is visible.
class TPageControl : public TControl {
public:
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    // In the order the pages were created.
    const std::vector<TTabSheet*>& Pages() const { return FPages; }

protected:
    DWORD Style() const override { return WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN; }
    DWORD ExStyle() const override { return WS_EX_CONTROLPARENT; }
    void Paint(HDC dc) override;

private:
    friend class TTabSheet;
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};

class TTabSheet : public TControl {
protected:
    DWORD Style() const override { return WS_CHILD | WS_CLIPSIBLINGS; }
    DWORD ExStyle() const override { return WS_EX_CONTROLPARENT; }
    // Fills the page control's display area, hidden until it becomes the active page.
    void AfterCreate(const TLayout& layout) override;
};
