// Draws the product's mark, a page with a quill, as the two logos of the setup: the tall
// picture of the wizard's logo column (120 x 260, 256 colours) and the small one of its white
// title band (32 x 32, 204 colours). Shapes are drawn with 4 x 4 samples per pixel, then the
// picture is reduced to its palette by median cut and k-means.
//
//     logogen logo.png logosmall.png
#include "logos/PngWriter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <numbers>
#include <stdexcept>
#include <string>

namespace {

struct TPoint {
    double X, Y;
};

struct TColour {
    double R, G, B;
};

TColour Mix(const TColour& a, const TColour& b, double t) {
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

constexpr TColour Hex(uint32_t rgb) {
    return {double(rgb >> 16 & 255), double(rgb >> 8 & 255), double(rgb & 255)};
}

// A colour and its opacity at one point.
struct TPaint {
    TColour Colour;
    double Alpha;
};

using TFill = std::function<TPaint(TPoint)>;

struct TShape {
    std::function<bool(TPoint)> Contains;
    double Left, Top, Right, Bottom;
};

class TCanvas {
public:
    TCanvas(int width, int height, TColour background)
        : FWidth(width), FHeight(height), FPixels(size_t(width * height), background) {}

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    const std::vector<TColour>& Pixels() const { return FPixels; }

    void Paint(const TShape& shape, const TFill& fill);

private:
    int FWidth, FHeight;
    std::vector<TColour> FPixels;
};

void TCanvas::Paint(const TShape& shape, const TFill& fill) {
    constexpr int samples = 4;
    const int left = std::max(0, int(std::floor(shape.Left)));
    const int right = std::min(FWidth, int(std::ceil(shape.Right)));
    const int top = std::max(0, int(std::floor(shape.Top)));
    const int bottom = std::min(FHeight, int(std::ceil(shape.Bottom)));
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            TColour sum{0, 0, 0};
            double weight = 0;
            for (int i = 0; i < samples * samples; ++i) {
                const TPoint p{x + (i % samples + 0.5) / samples,
                               y + (i / samples + 0.5) / samples};
                if (!shape.Contains(p))
                    continue;
                const TPaint paint = fill(p);
                sum = {sum.R + paint.Colour.R * paint.Alpha, sum.G + paint.Colour.G * paint.Alpha,
                       sum.B + paint.Colour.B * paint.Alpha};
                weight += paint.Alpha;
            }
            if (weight == 0)
                continue;
            TColour& pixel = FPixels[size_t(y * FWidth + x)];
            const double n = samples * samples;
            pixel = Mix(pixel, {sum.R / weight, sum.G / weight, sum.B / weight}, weight / n);
        }
}

// ---- Shapes

TShape Polygon(std::vector<TPoint> points) {
    TShape shape{nullptr, 1e9, 1e9, -1e9, -1e9};
    for (const TPoint& p : points) {
        shape.Left = std::min(shape.Left, p.X);
        shape.Right = std::max(shape.Right, p.X);
        shape.Top = std::min(shape.Top, p.Y);
        shape.Bottom = std::max(shape.Bottom, p.Y);
    }
    shape.Contains = [points = std::move(points)](TPoint p) {
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const TPoint &a = points[i], &b = points[j];
            if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < (b.X - a.X) * (p.Y - a.Y) / (b.Y - a.Y) + a.X)
                inside = !inside;
        }
        return inside;
    };
    return shape;
}

TShape RoundedRect(double left, double top, double right, double bottom, double radius) {
    return {[=](TPoint p) {
                const double dx = std::max({left + radius - p.X, 0.0, p.X - (right - radius)});
                const double dy = std::max({top + radius - p.Y, 0.0, p.Y - (bottom - radius)});
                return p.X >= left && p.X <= right && p.Y >= top && p.Y <= bottom &&
                       dx * dx + dy * dy <= radius * radius;
            },
            left, top, right, bottom};
}

TShape Circle(TPoint centre, double radius) {
    return {[=](TPoint p) { return std::hypot(p.X - centre.X, p.Y - centre.Y) <= radius; },
            centre.X - radius, centre.Y - radius, centre.X + radius, centre.Y + radius};
}

// Everything below a wave across the whole width.
TShape Wave(double width, double height, double level, double amplitude, double phase) {
    return {[=](TPoint p) { return p.Y >= level + amplitude * std::sin(p.X / width * 5 + phase); },
            0, level - amplitude, width, height};
}

// ---- Fills

TFill Solid(TColour colour, double alpha = 1) {
    return [=](TPoint) { return TPaint{colour, alpha}; };
}

// Colour stops along the line from one point to another.
TFill Gradient(TPoint from, TPoint to, std::vector<std::pair<double, TColour>> stops,
               double alpha = 1) {
    return [=](TPoint p) {
        const double dx = to.X - from.X, dy = to.Y - from.Y;
        const double t =
            std::clamp(((p.X - from.X) * dx + (p.Y - from.Y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        size_t i = 1;
        while (i + 1 < stops.size() && stops[i].first < t)
            ++i;
        const auto& [t0, c0] = stops[i - 1];
        const auto& [t1, c1] = stops[i];
        return TPaint{Mix(c0, c1, std::clamp((t - t0) / (t1 - t0), 0.0, 1.0)), alpha};
    };
}

// A light that fades from the centre to nothing at the radius.
TFill Glow(TPoint centre, double radius, TColour colour, double alpha) {
    return [=](TPoint p) {
        const double fade = std::max(0.0, 1 - std::hypot(p.X - centre.X, p.Y - centre.Y) / radius);
        return TPaint{colour, alpha * fade * fade};
    };
}

// ---- The mark

const TColour White = Hex(0xFFFFFF);
const TColour Navy = Hex(0x173F73);
const TColour Ocean = Hex(0x1F6E9C);
const TColour Teal = Hex(0x2AA198);
const TColour Mint = Hex(0x8EDDD0);
const TColour Ink = Hex(0x1B3F6B);

struct TMark {
    double Left, Top, Width, Height; // the page
    TPoint Nib, Bend, Tip;           // the quill's spine, a quadratic curve
    double Vane;                     // the quill's widest vane
    int Lines;                       // lines of writing on the page
};

TPoint Along(const TMark& m, double t) {
    const double u = 1 - t;
    return {u * u * m.Nib.X + 2 * u * t * m.Bend.X + t * t * m.Tip.X,
            u * u * m.Nib.Y + 2 * u * t * m.Bend.Y + t * t * m.Tip.Y};
}

// The unit normal of the spine, pointing to its left seen from the nib.
TPoint Normal(const TMark& m, double t) {
    const TPoint d{2 * (1 - t) * (m.Bend.X - m.Nib.X) + 2 * t * (m.Tip.X - m.Bend.X),
                   2 * (1 - t) * (m.Bend.Y - m.Nib.Y) + 2 * t * (m.Tip.Y - m.Bend.Y)};
    const double length = std::hypot(d.X, d.Y);
    return {d.Y / length, -d.X / length};
}

// The feather: vanes from a quarter of the way up to the tip, the left one wider and cut by
// two notches.
TShape Feather(const TMark& m) {
    constexpr double start = 0.26;
    std::vector<TPoint> left, right;
    for (int i = 0; i <= 60; ++i) {
        const double t = start + (1 - start) * i / 60.0;
        const double s = (t - start) / (1 - start);
        const double body = std::sin(std::numbers::pi * std::pow(s, 0.7));
        const double notch = 1 - 0.35 * std::exp(-std::pow((s - 0.33) / 0.03, 2)) -
                             0.3 * std::exp(-std::pow((s - 0.6) / 0.03, 2));
        const TPoint p = Along(m, t), n = Normal(m, t);
        left.push_back({p.X + n.X * m.Vane * body * notch, p.Y + n.Y * m.Vane * body * notch});
        right.push_back({p.X - n.X * m.Vane * 0.55 * body, p.Y - n.Y * m.Vane * 0.55 * body});
    }
    left.insert(left.end(), right.rbegin(), right.rend());
    return Polygon(left);
}

// A band along the spine from t0 to t1, width w0 tapering to w1.
TShape Stroke(const TMark& m, double t0, double t1, double w0, double w1) {
    std::vector<TPoint> left, right;
    for (int i = 0; i <= 40; ++i) {
        const double t = t0 + (t1 - t0) * i / 40.0;
        const double w = (w0 + (w1 - w0) * i / 40.0) / 2;
        const TPoint p = Along(m, t), n = Normal(m, t);
        left.push_back({p.X + n.X * w, p.Y + n.Y * w});
        right.push_back({p.X - n.X * w, p.Y - n.Y * w});
    }
    left.insert(left.end(), right.rbegin(), right.rend());
    return Polygon(left);
}

void DrawPage(TCanvas& c, const TMark& m, double shadow) {
    const double right = m.Left + m.Width, bottom = m.Top + m.Height;
    const double fold = m.Width * 0.24;
    for (int i = 3; i >= 1; --i)
        c.Paint(RoundedRect(m.Left + 1.5 - i * 0.7, m.Top + 2.5 - i * 0.7, right + 1.5 + i * 0.7,
                            bottom + 2.5 + i * 0.7, 2 + i),
                Solid(Ink, shadow));
    c.Paint(Polygon({{m.Left, m.Top},
                     {right - fold, m.Top},
                     {right, m.Top + fold},
                     {right, bottom},
                     {m.Left, bottom}}),
            Gradient({m.Left, m.Top}, {right, bottom}, {{0, White}, {1, Hex(0xE3EEF7)}}));
    c.Paint(Polygon({{right - fold, m.Top}, {right - fold, m.Top + fold}, {right, m.Top + fold}}),
            Gradient({right - fold, m.Top + fold}, {right - fold / 2, m.Top + fold / 2},
                     {{0, Hex(0xB7CCE2)}, {1, Hex(0xD9E6F2)}}));
    const double gap = m.Height / (m.Lines + 2.2);
    const double thickness = std::max(1.0, gap * 0.28);
    for (int i = 0; i < m.Lines; ++i) {
        const double y = m.Top + gap * (i + 1.3);
        const double end = i == m.Lines - 1 ? 0.55 : i == 0 ? 0.62 : 0.82 - 0.07 * (i % 2);
        c.Paint(RoundedRect(m.Left + m.Width * 0.14, y, m.Left + m.Width * end, y + thickness,
                            thickness / 2),
                Solid(Hex(0x9DB7D3)));
    }
}

void DrawQuill(TCanvas& c, const TMark& m) {
    const double span = std::hypot(m.Tip.X - m.Nib.X, m.Tip.Y - m.Nib.Y);
    c.Paint(Feather(m), Gradient(m.Nib, m.Tip, {{0, Teal}, {0.45, Mint}, {1, Hex(0xEFFAF8)}}));
    c.Paint(Stroke(m, 0.05, 0.98, span * 0.03, span * 0.008),
            Gradient(m.Nib, m.Tip, {{0, Ink}, {1, Ocean}}));
    c.Paint(Stroke(m, 0, 0.08, span * 0.005, span * 0.03), Solid(Ink));
}

// ---- The two pictures

TCanvas TallLogo() {
    TCanvas c(120, 260, Navy);
    c.Paint(RoundedRect(0, 0, 120, 260, 0),
            Gradient({0, 0}, {30, 260}, {{0, Navy}, {0.5, Ocean}, {1, Teal}}));
    c.Paint(Circle({18, 28}, 30), Solid(White, 0.05));
    c.Paint(Circle({104, 168}, 36), Solid(White, 0.04));
    c.Paint(Circle({26, 196}, 16), Solid(White, 0.06));
    c.Paint(Circle({56, 92}, 80), Glow({56, 92}, 80, White, 0.22));
    c.Paint(Wave(120, 260, 214, 7, 0.4), Solid(Mint, 0.18));
    c.Paint(Wave(120, 260, 232, 6, 2.3), Solid(Mint, 0.22));
    c.Paint(Wave(120, 260, 248, 4, 4.1), Solid(White, 0.16));
    const TMark mark{26, 56, 52, 68, {68, 118}, {84, 80}, {106, 24}, 15, 5};
    DrawPage(c, mark, 0.14);
    DrawQuill(c, mark);
    return c;
}

TCanvas SmallLogo() {
    TCanvas c(32, 32, White);
    c.Paint(RoundedRect(1, 1, 31, 31, 7),
            Gradient({1, 1}, {31, 31}, {{0, Navy}, {0.55, Ocean}, {1, Teal}}));
    c.Paint(Circle({12, 12}, 18), Glow({12, 12}, 18, White, 0.2));
    const TMark mark{7, 7, 13.5, 17.5, {18, 24.5}, {21.5, 16}, {27, 5.5}, 4.6, 3};
    DrawPage(c, mark, 0.22);
    DrawQuill(c, mark);
    return c;
}

// ---- Palette

using TRgb = std::array<uint8_t, 3>;

TRgb ToRgb(const TColour& c) {
    const auto channel = [](double v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); };
    return {channel(c.R), channel(c.G), channel(c.B)};
}

int Distance(const TRgb& a, const std::array<double, 3>& b) {
    double sum = 0;
    for (int k = 0; k < 3; ++k)
        sum += (a[size_t(k)] - b[size_t(k)]) * (a[size_t(k)] - b[size_t(k)]);
    return int(sum);
}

// Median cut: split the box with the widest channel range at its median, until there are
// `count` boxes; their means start the k-means.
std::vector<std::array<double, 3>> MedianCut(std::vector<TRgb> colours, size_t count) {
    std::vector<std::vector<TRgb>> boxes{std::move(colours)};
    const auto range = [](const std::vector<TRgb>& box, size_t k) {
        const auto [lo, hi] = std::minmax_element(
            box.begin(), box.end(), [k](const TRgb& a, const TRgb& b) { return a[k] < b[k]; });
        return (*hi)[k] - (*lo)[k];
    };
    const auto widest = [&](const std::vector<TRgb>& box) {
        size_t best = 0;
        for (size_t k = 1; k < 3; ++k)
            if (range(box, k) > range(box, best))
                best = k;
        return best;
    };
    while (boxes.size() < count) {
        auto box = std::max_element(boxes.begin(), boxes.end(), [&](const auto& a, const auto& b) {
            return range(a, widest(a)) * a.size() < range(b, widest(b)) * b.size();
        });
        const size_t k = widest(*box);
        std::sort(box->begin(), box->end(),
                  [k](const TRgb& a, const TRgb& b) { return a[k] < b[k]; });
        std::vector<TRgb> upper(box->begin() + ptrdiff_t(box->size() / 2), box->end());
        box->resize(box->size() / 2);
        boxes.push_back(std::move(upper));
    }
    std::vector<std::array<double, 3>> means;
    for (const auto& box : boxes) {
        std::array<double, 3> mean{};
        for (const TRgb& c : box)
            for (size_t k = 0; k < 3; ++k)
                mean[k] += c[k] / double(box.size());
        means.push_back(mean);
    }
    return means;
}

size_t Nearest(const TRgb& colour, const std::vector<std::array<double, 3>>& means) {
    size_t best = 0;
    for (size_t i = 1; i < means.size(); ++i)
        if (Distance(colour, means[i]) < Distance(colour, means[best]))
            best = i;
    return best;
}

// Reduces the picture to exactly `count` colours; pixels receives their palette indices.
std::vector<TPaletteEntry> Quantise(const TCanvas& c, size_t count, TBytes& pixels) {
    std::map<TRgb, int> frequency;
    for (const TColour& pixel : c.Pixels())
        ++frequency[ToRgb(pixel)];
    if (frequency.size() < count)
        throw std::runtime_error("the picture has only " + std::to_string(frequency.size()) +
                                 " colours");
    std::vector<TRgb> distinct;
    for (const auto& [colour, n] : frequency)
        distinct.push_back(colour);

    std::vector<std::array<double, 3>> means = MedianCut(distinct, count);
    for (int round = 0; round < 12; ++round) {
        std::vector<std::array<double, 3>> sums(count, {0, 0, 0});
        std::vector<double> weights(count, 0);
        for (const auto& [colour, n] : frequency) {
            const size_t i = Nearest(colour, means);
            for (size_t k = 0; k < 3; ++k)
                sums[i][k] += colour[k] * double(n);
            weights[i] += n;
        }
        for (size_t i = 0; i < count; ++i)
            if (weights[i] > 0)
                for (size_t k = 0; k < 3; ++k)
                    means[i][k] = sums[i][k] / weights[i];
    }
    std::vector<TPaletteEntry> palette;
    for (const auto& mean : means)
        palette.push_back({uint8_t(std::lround(mean[0])), uint8_t(std::lround(mean[1])),
                           uint8_t(std::lround(mean[2]))});
    std::map<TRgb, uint8_t> index;
    for (const auto& [colour, n] : frequency)
        index[colour] = uint8_t(Nearest(colour, means));
    pixels.clear();
    for (const TColour& pixel : c.Pixels())
        pixels.push_back(index[ToRgb(pixel)]);
    return palette;
}

void Save(const TCanvas& c, size_t colours, const char* path) {
    TBytes pixels;
    const std::vector<TPaletteEntry> palette = Quantise(c, colours, pixels);
    const TBytes file = PalettePng(c.Width(), c.Height(), palette, pixels);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    if (!out.flush())
        throw std::runtime_error(std::string("cannot write ") + path);
    std::map<uint8_t, int> used;
    for (uint8_t p : pixels)
        ++used[p];
    std::printf("%s: %d x %d, %zu colours, %zu used, %zu bytes\n", path, c.Width(), c.Height(),
                palette.size(), used.size(), file.size());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: logogen logo.png logosmall.png\n");
        return 2;
    }
    try {
        Save(TallLogo(), 256, argv[1]);
        Save(SmallLogo(), 204, argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "logogen: %s\n", e.what());
        return 1;
    }
    return 0;
}
