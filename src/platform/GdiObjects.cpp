// SPDX-License-Identifier: MIT
#include "platform/GdiObjects.h"

#include "platform/DevicePixels.h"
#include "platform/SystemMetrics.h"
#include "resources/QtResources.h"

#include <QCoreApplication>
#include <QFontMetrics>

#include <algorithm>
#include <map>
#include <tuple>

namespace {

constexpr int kDefaultPointSize = 90;
constexpr int kDefaultPixelHeight = 12;

QString QtFamily(const QString& strFace) {
    // Liberation Sans has Arial's metrics, so texts keep the widths the layouts assume.
    if (strFace.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    return strFace;
}

QFont MakeQtFont(const LogFont& logFont) {
    QFont font(
        QtFamily(logFont.lfFaceName.isEmpty() ? QStringLiteral("Arial") : logFont.lfFaceName));
    // Screen text in grey levels, hinted to the pixel rows: no stroke is lost at any size or
    // display scaling (drawn in black and white, small text dropped thin stems, and its zeros
    // grew side ticks where the face's hints met whole pixels; Qt drops hinting altogether
    // on a scaled desktop unless asked), and there are no colour fringes of sub-pixel
    // rendering. Hinting the rows only keeps the characters' widths those of unhinted text,
    // the widths the layouts were made with. Without kerning a text's width is the sum of its
    // characters.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias |
                                               QFont::PreferMatch));
    font.setHintingPreference(QFont::PreferVerticalHinting);
    font.setKerning(false);
    const int nWeight = logFont.lfWeight == FW_DONTCARE ? FW_NORMAL : logFont.lfWeight;
    font.setWeight(QFont::Weight(std::clamp(nWeight, 1, 1000)));

    if (logFont.lfHeight < 0) {
        font.setPixelSize(-logFont.lfHeight);
    } else if (logFont.lfHeight > 0) {
        // A cell height: scale the character height down so that the cell fits.
        int nPixels = logFont.lfHeight;
        font.setPixelSize(nPixels);
        const int nCell = QFontMetrics(font).height();
        if (nCell > logFont.lfHeight) {
            nPixels = std::max(1, logFont.lfHeight * logFont.lfHeight / nCell);
            font.setPixelSize(nPixels);
        }
    } else {
        font.setPixelSize(kDefaultPixelHeight);
    }
    return font;
}

// Pages make their fonts for a drawing and drop them after it (a sky-plot marker makes one
// per satellite); making a QFont means looking its family up in the font database each time.
// Realised fonts are kept by description instead, as a window system keeps its realised
// fonts, so making one again is a lookup. A QFont may not outlive the application, so the
// cache is emptied when the application goes.
using FontKey = std::tuple<int, int, QString>;
std::map<FontKey, QFont>* g_pFontCache = nullptr;
constexpr size_t kMaxCachedFonts = 64; // gauges make a size per dial size; resizing adds more

void DropFontCache() {
    delete g_pFontCache;
    g_pFontCache = nullptr;
}

QFont RealisedFont(const LogFont& logFont) {
    if (!QCoreApplication::instance())
        return MakeQtFont(logFont);
    if (!g_pFontCache) {
        g_pFontCache = new std::map<FontKey, QFont>;
        qAddPostRoutine(DropFontCache);
    }
    const FontKey key{logFont.lfHeight, logFont.lfWeight, logFont.lfFaceName};
    if (const auto it = g_pFontCache->find(key); it != g_pFontCache->end())
        return it->second;
    if (g_pFontCache->size() >= kMaxCachedFonts)
        g_pFontCache->clear();
    return g_pFontCache->emplace(key, MakeQtFont(logFont)).first->second;
}

} // namespace

CPen::CPen(int nStyle, int nWidth, const QColor& colour)
    : m_nStyle(nStyle == PS_NULL ? PS_NULL : PS_SOLID), m_nWidth(std::max(nWidth, 1)),
      m_Colour(colour) {}

CFont::CFont()
    : CFont(LogFont{PointSizeToHeight(kDefaultPointSize, ScreenDpiY()), FW_DONTCARE,
                    QStringLiteral("Arial")}) {}

CFont::CFont(const LogFont& logFont) : m_LogFont(logFont), m_Font(RealisedFont(logFont)) {}

CFont CFont::FromLogFont(const LogFont& logFont) {
    return CFont(logFont);
}

CFont CFont::FromPointSize(int nTenthsOfPoint, const QString& strFace, int nDpiY, int nWeight) {
    return FromLogFont({PointSizeToHeight(nTenthsOfPoint, nDpiY), nWeight, strFace});
}

bool CBitmap::CreateCompatibleBitmap(int nWidth, int nHeight) {
    return CreateBitmap(nWidth, nHeight, ScreenPixelRatio());
}

bool CBitmap::CreateBitmap(int nWidth, int nHeight, qreal dRatio) {
    m_Image = QImage();
    m_Size = {};
    if (nWidth <= 0 || nHeight <= 0)
        return false;
    m_Image = QImage(DeviceSize(nWidth, nHeight, dRatio), QImage::Format_RGB32);
    if (m_Image.isNull())
        return false;
    m_Image.setDevicePixelRatio(dRatio);
    m_Image.fill(Qt::black);
    m_Size = {nWidth, nHeight};
    return true;
}

bool CBitmap::LoadBitmap(BitmapId id) {
    m_Image = LoadBitmapResource(id);
    if (!m_Image.isNull() && m_Image.format() != QImage::Format_RGB32)
        m_Image = m_Image.convertToFormat(QImage::Format_RGB32);
    m_Image.setDevicePixelRatio(1.0);
    m_Size = {m_Image.width(), m_Image.height()};
    return !m_Image.isNull();
}

CBitmap MakeKeyMask(const CBitmap& source, const QColor& key) {
    CBitmap mask;
    const QImage& image = source.Image();
    if (!mask.CreateBitmap(source.GetSize().cx, source.GetSize().cy, image.devicePixelRatio()))
        return mask;
    const QRgb rgbKey = key.rgb() & 0xFFFFFF;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == rgbKey)
                mask.Image().setPixel(x, y, qRgb(255, 255, 255));
    return mask;
}
