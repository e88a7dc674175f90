// SPDX-License-Identifier: MIT
// Resources for the Qt side. The bitmaps are the sky plot's satellite markers, 15 x 13 pixels,
// one character per pixel; they are XORed onto a black sky, so black is their background and
// must stay exactly 0.
#include "resources/QtResources.h"

#include "resources/StringTable.h"
#include "resources/resource.h"

namespace {

constexpr int kIconWidth = 15;
constexpr int kIconHeight = 13;

constexpr const char* kSatNotUsed[kIconHeight] = {
    "dddd.......dddd", "dssd.......dssd", "dssd.......dssd", "dssd..ddd..dssd", "dssd.dsssd.dssd",
    "dssddssdssddssd", "dssddsdddsddssd", "dssddssdssddssd", "dssd.dsssd.dssd", "dssd..ddd..dssd",
    "dssd.......dssd", "dssd.......dssd", "dddd.......dddd"};

constexpr const char* kSatUsed[kIconHeight] = {
    "YYYY.......YYYY", "YRRY.......YRRY", "YRRY.......YRRY", "YRRY..YYY..YRRY", "YRRY.YBBBY.YRRY",
    "YRRYYBBWBBYYRRY", "YRRYYBWWWBYYRRY", "YRRYYBBWBBYYRRY", "YRRY.YBBBY.YRRY", "YRRY..YYY..YRRY",
    "YRRY.......YRRY", "YRRY.......YRRY", "YYYY.......YYYY"};

QRgb PixelColour(char c) {
    switch (c) {
        case 'd': return qRgb(128, 128, 128);
        case 's': return qRgb(192, 192, 192);
        case 'Y': return qRgb(255, 255, 0);
        case 'R': return qRgb(255, 0, 0);
        case 'B': return qRgb(0, 0, 255);
        case 'W': return qRgb(255, 255, 255);
        default: return qRgb(0, 0, 0);
    }
}

QImage FromRows(const char* const* rows) {
    QImage image(kIconWidth, kIconHeight, QImage::Format_RGB32);
    for (int y = 0; y < kIconHeight; ++y)
        for (int x = 0; x < kIconWidth; ++x)
            image.setPixel(x, y, PixelColour(rows[y][x]));
    return image;
}

} // namespace

QString LoadString(StringId id) {
    return QString::fromUtf8(LoadStringUtf8(id));
}

QImage LoadBitmapResource(BitmapId id) {
    // Built once: markers load their icon at every drawing. A QImage is shared until it is
    // drawn on, so every caller still gets an image of its own.
    static const QImage notUsed = FromRows(kSatNotUsed);
    static const QImage used = FromRows(kSatUsed);
    static const QImage leds = LedStripImage();
    switch (id) {
        case IDB_SAT_NOT_USED: return notUsed;
        case IDB_SAT_USED: return used;
        case IDB_LEDS: return leds;
        default: return QImage();
    }
}
