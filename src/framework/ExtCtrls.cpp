#include "framework/ExtCtrls.h"

namespace {

UINT EdgeOf(TBevelCut cut, UINT lowered, UINT raised) {
    return cut == bvLowered ? lowered : cut == bvRaised ? raised : 0;
}

// The page frame's width on each side of a page.
constexpr int kPageInset = 4;

} // namespace

// --- TPanel

void TPanel::SetProperty(const TFormProperty& p, THandlerResolver& handlers) {
    if (p.Name == "BevelOuter")
        FBevelOuter = static_cast<TBevelCut>(WordIn(p, {"None", "Lowered", "Raised"}));
    else if (p.Name == "BevelInner")
        FBevelInner = static_cast<TBevelCut>(WordIn(p, {"None", "Lowered", "Raised"}));
    else
        TControl::SetProperty(p, handlers);
}

// The panel paints its own background (its colour, over any theme) before its bevels.
void TPanel::Paint(HDC dc) {
    RECT r;
    GetClientRect(Handle(), &r);
    UINT edge = EdgeOf(FBevelOuter, BDR_SUNKENOUTER, BDR_RAISEDOUTER) |
                EdgeOf(FBevelInner, BDR_SUNKENINNER, BDR_RAISEDINNER);
    if (edge)
        DrawEdge(dc, &r, edge, BF_RECT);
}

// --- TBevel

void TBevel::SetProperty(const TFormProperty& p, THandlerResolver& handlers) {
    if (p.Name == "Shape")
        FLeftLine = WordIn(p, {"Box", "LeftLine"}) == 1;
    else
        TControl::SetProperty(p, handlers);
}

void TBevel::Paint(HDC dc) {
    RECT r;
    GetClientRect(Handle(), &r);
    if (FLeftLine) {
        r.right = r.left + 2;
        DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT);
    } else {
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    }
}

// --- TImage

void TImage::SetPicture(const TBitmap& bitmap) {
    FPicture = bitmap;
    Invalidate();
}

void TImage::Paint(HDC dc) {
    if (FPicture.Width() == 0 || FPicture.Height() == 0)
        return;
    struct {
        BITMAPINFOHEADER Header;
        RGBQUAD Colors[256];
    } info = {};
    info.Header.biSize = sizeof info.Header;
    info.Header.biWidth = FPicture.Width();
    info.Header.biHeight = -FPicture.Height(); // rows are top-down
    info.Header.biPlanes = 1;
    info.Header.biBitCount = static_cast<WORD>(FPicture.BitsPerPixel());
    info.Header.biCompression = BI_RGB;
    const auto& palette = FPicture.Palette();
    size_t colors = std::min<size_t>(palette.size(), 256);
    info.Header.biClrUsed = static_cast<DWORD>(colors);
    for (size_t i = 0; i < colors; ++i)
        info.Colors[i] = {palette[i].Blue, palette[i].Green, palette[i].Red, 0};
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(FPicture.Width()),
                      static_cast<DWORD>(FPicture.Height()), 0, 0, 0,
                      static_cast<UINT>(FPicture.Height()), FPicture.Pixels().data(),
                      reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
}

// --- TPageControl

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page == FActivePage)
        return;
    if (page)
        page->SetVisible(true);
    if (FActivePage)
        FActivePage->SetVisible(false);
    FActivePage = page;
}

void TPageControl::Paint(HDC dc) {
    RECT r;
    GetClientRect(Handle(), &r);
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
}

// --- TTabSheet

void TTabSheet::AfterCreate(const TLayout&) {
    auto* pages = dynamic_cast<TPageControl*>(Parent());
    if (!pages)
        throw EFormError("Form resource: " + Name() + " is not on a page control");
    pages->FPages.push_back(this);
    RECT r;
    GetClientRect(pages->Handle(), &r);
    InflateRect(&r, -kPageInset, -kPageInset);
    SetWindowPos(Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetVisible(false);
}
