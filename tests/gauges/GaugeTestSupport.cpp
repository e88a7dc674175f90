// SPDX-License-Identifier: MIT
#include "GaugeTestSupport.h"

#include <QFontMetrics>

#include <cmath>
#include <cstdlib>

namespace {

constexpr double kSampleStep = 0.25; // degrees
constexpr double kPi = 3.14159265358979323846;

struct Glyphs {
    QImage image;    // the text alone, white elsewhere
    CRect inkBounds; // within image
};

// Text is anti-aliased: a pixel counts as the text's when it is nearer its colour than the
// white it is drawn on.
bool IsInk(QRgb shown, const QColor& colour) {
    const auto distance = [shown](QRgb to) {
        return std::abs(qRed(shown) - qRed(to)) + std::abs(qGreen(shown) - qGreen(to)) +
               std::abs(qBlue(shown) - qBlue(to));
    };
    return distance(colour.rgb()) < distance(qRgb(255, 255, 255));
}

Glyphs RenderText(const CFont& font, const QString& strText, const QColor& colour) {
    CDrawContext measure;
    measure.SelectFont(font);
    const CSize extent = measure.GetTextExtent(strText);
    Canvas canvas(std::max(extent.cx, 1), std::max(extent.cy, 1));
    canvas.dc.SelectFont(font);
    canvas.dc.SetTextColor(colour);
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.TextOut(0, 0, strText);
    Glyphs glyphs{canvas.Image(), {}};
    bool bAny = false;
    for (int y = 0; y < glyphs.image.height(); ++y)
        for (int x = 0; x < glyphs.image.width(); ++x) {
            if (!IsInk(glyphs.image.pixel(x, y), colour))
                continue;
            if (!bAny)
                glyphs.inkBounds = {x, y, x + 1, y + 1};
            glyphs.inkBounds.left = std::min(glyphs.inkBounds.left, x);
            glyphs.inkBounds.top = std::min(glyphs.inkBounds.top, y);
            glyphs.inkBounds.right = std::max(glyphs.inkBounds.right, x + 1);
            glyphs.inkBounds.bottom = std::max(glyphs.inkBounds.bottom, y + 1);
            bAny = true;
        }
    return glyphs;
}

// Glyph pixels that lack colour, and other pixels in the glyphs' bounds that have it, when
// glyphs' cell has its top-left corner at (x0, y0). Pixels in the highlight colour are not
// looked at.
struct Mismatch {
    int nMissing = 0;
    int nStray = 0;
    int nOthers = 0; // pixels in the bounds outside the glyphs
    bool bOffImage = false;
};

Mismatch CompareAt(const QImage& image, const Glyphs& glyphs, const QColor& colour, int x0,
                   int y0) {
    const QRgb pointer = Colours().highlight.rgb();
    Mismatch mismatch;
    for (int y = glyphs.inkBounds.top; y < glyphs.inkBounds.bottom; ++y)
        for (int x = glyphs.inkBounds.left; x < glyphs.inkBounds.right; ++x) {
            if (!image.valid(x0 + x, y0 + y)) {
                mismatch.bOffImage = true;
                return mismatch;
            }
            const bool bGlyph = IsInk(glyphs.image.pixel(x, y), colour);
            mismatch.nOthers += bGlyph ? 0 : 1;
            const QRgb shown = image.pixel(x0 + x, y0 + y);
            if (shown == pointer)
                continue;
            if (bGlyph && !IsInk(shown, colour))
                ++mismatch.nMissing;
            if (!bGlyph && IsInk(shown, colour))
                ++mismatch.nStray;
        }
    return mismatch;
}

bool MatchesAt(const QImage& image, const Glyphs& glyphs, const QColor& colour, int x0, int y0) {
    const Mismatch mismatch = CompareAt(image, glyphs, colour, x0, y0);
    return !mismatch.bOffImage && mismatch.nMissing == 0 && mismatch.nStray == 0;
}

double CircularDistance(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

} // namespace

Canvas::Canvas(int nWidth, int nHeight) {
    bitmap.CreateCompatibleBitmap(nWidth, nHeight);
    bitmap.Image().fill(Qt::white);
    dc.SelectBitmap(&bitmap);
}

std::vector<double> AnglesOfColourAt(const QImage& image, const DialGeometry& dial, double dRadius,
                                     const QColor& colour) {
    const int nSamples = static_cast<int>(360.0 / kSampleStep);
    const double dPixels = dRadius * dial.dRadius / 90.0;
    std::vector<bool> hits(static_cast<std::size_t>(nSamples));
    for (int i = 0; i < nSamples; ++i) {
        const double dAngle = i * kSampleStep * kPi / 180.0;
        const int x = static_cast<int>(std::floor(dial.dCentreX + std::sin(dAngle) * dPixels));
        const int y = static_cast<int>(std::floor(dial.dCentreY - std::cos(dAngle) * dPixels));
        hits[static_cast<std::size_t>(i)] = image.valid(x, y) && image.pixel(x, y) == colour.rgb();
    }
    // Start from a sample without a hit so no arc is split at 0.
    int nStart = 0;
    while (nStart < nSamples && hits[static_cast<std::size_t>(nStart)])
        ++nStart;
    std::vector<double> centres;
    if (nStart == nSamples)
        return centres;
    int nRunStart = -1;
    for (int k = 1; k <= nSamples; ++k) {
        const int i = nStart + k;
        const bool bHit = hits[static_cast<std::size_t>(i % nSamples)];
        if (bHit && nRunStart < 0)
            nRunStart = i;
        if (!bHit && nRunStart >= 0) {
            const double dCentre = (nRunStart + i - 1) * 0.5 * kSampleStep;
            centres.push_back(std::fmod(dCentre, 360.0));
            nRunStart = -1;
        }
    }
    return centres;
}

bool HasAngleNear(const std::vector<double>& angles, double dExpected, double dTolerance) {
    for (const double dAngle : angles)
        if (CircularDistance(dAngle, dExpected) <= dTolerance)
            return true;
    return false;
}

std::optional<CPoint> FindText(const QImage& image, const CFont& font, const QString& strText,
                               const QColor& colour, const CRect& area) {
    const Glyphs glyphs = RenderText(font, strText, colour);
    if (glyphs.inkBounds.IsEmpty())
        return std::nullopt;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (MatchesAt(image, glyphs, colour, x, y))
                return CPoint{x, y};
    return std::nullopt;
}

bool ShowsTextCentredOn(const QImage& image, const CFont& font, const QString& strText,
                        const QColor& colour, CPoint pt, double dMaxStray) {
    const Glyphs glyphs = RenderText(font, strText, colour);
    if (glyphs.inkBounds.IsEmpty())
        return false;
    const QFontMetrics metrics(font.QtFont());
    const int x0 = pt.x - metrics.horizontalAdvance(strText) / 2;
    const int y0 = pt.y - metrics.height() / 2;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const Mismatch mismatch = CompareAt(image, glyphs, colour, x0 + dx, y0 + dy);
            if (!mismatch.bOffImage && mismatch.nMissing == 0 &&
                mismatch.nStray <= dMaxStray * mismatch.nOthers)
                return true;
        }
    return false;
}

bool HasColourAt(const QImage& image, const DialGeometry& dial, double dAngle, double dRadius,
                 const QColor& colour) {
    const double dPixels = dRadius * dial.dRadius / 90.0;
    const double dRadians = dAngle * kPi / 180.0;
    const int x = static_cast<int>(std::floor(dial.dCentreX + std::sin(dRadians) * dPixels));
    const int y = static_cast<int>(std::floor(dial.dCentreY - std::cos(dRadians) * dPixels));
    return image.valid(x, y) && image.pixel(x, y) == colour.rgb();
}

int CountColour(const QImage& image, const QColor& colour, const CRect& area) {
    const CRect box = area.IsEmpty() ? CRect{0, 0, image.width(), image.height()} : area;
    int nCount = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            if (image.valid(x, y) && image.pixel(x, y) == colour.rgb())
                ++nCount;
    return nCount;
}
