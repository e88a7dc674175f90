// SPDX-License-Identifier: MIT
// Helpers shared by the view tests: rendering windows and plots into images, comparing
// images, reference texts drawn with the pages' fonts, NMEA sentences with their checksums,
// and a settings store emptied for each test.
#pragma once

#include "nmea/NmeaParser.h"
#include "platform/AppInfo.h"
#include "platform/DrawContext.h"
#include "platform/SurfaceWnd.h"

#include <QColor>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QThread>

#include "common/CleanStore.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

// Runs every outstanding repaint of wnd (a paint may ask for another) and returns its surface.
inline QImage Render(CSurfaceWnd& wnd) {
    for (int i = 0; i < 3; ++i)
        wnd.UpdateSurface();
    return wnd.Surface().copy();
}

// What the screen shows of wnd: its surface with the surfaces of its window children on top.
inline QImage Composite(CSurfaceWnd& wnd) {
    QImage image = Render(wnd);
    QPainter painter(&image);
    for (QObject* pObject : wnd.children()) {
        auto* pChild = qobject_cast<QWidget*>(pObject);
        auto* pSurface = dynamic_cast<CSurfaceWnd*>(pObject);
        if (pChild && pSurface && !pChild->isHidden())
            painter.drawImage(pChild->pos(), Composite(*pSurface));
    }
    return image;
}

// Handles the messages posted so far (a GSV notification, a chosen menu command).
inline void DeliverPosted() {
    QCoreApplication::sendPostedEvents();
}

// The pixels of area in which two images differ.
inline int CountDifferences(const QImage& a, const QImage& b, QRect area = QRect()) {
    if (area.isNull())
        area = a.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                ++n;
    return n;
}

// The smallest rectangle holding every pixel in which two images differ; null when none.
inline QRect DifferenceBounds(const QImage& a, const QImage& b) {
    QRect bounds;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

inline int CountColour(const QImage& image, const QColor& colour, QRect area = QRect()) {
    if (area.isNull())
        area = image.rect();
    area &= image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour.rgb())
                ++n;
    return n;
}

inline QRect ToQRect(const CRect& rect) {
    return {rect.left, rect.top, rect.Width(), rect.Height()};
}

// strText drawn with font at (0, 0) in text colour on a cell of background colour, as an
// opaque TextOut draws it: the reference a page's text cell is compared with.
inline QImage TextCell(const QString& strText, const CFont& font, const QColor& text,
                       const QColor& background) {
    CDrawContext measure;
    measure.SelectFont(font);
    const CSize extent = measure.GetTextExtent(strText);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(extent.cx, extent.cy);
    bitmap.Image().fill(background);
    CDrawContext dc(bitmap);
    dc.SelectFont(font);
    dc.SetTextColor(text);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(0, 0, strText);
    return bitmap.Image();
}

// Whether image shows cell with its top-left corner at pt, pixel for pixel; pixels of
// colour skip (for instance grid lines drawn over a label later) are not compared.
inline bool ShowsAt(const QImage& image, const QImage& cell, QPoint pt,
                    const QColor& skip = QColor()) {
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x) {
            const QRgb shown = image.pixel(pt.x() + x, pt.y() + y);
            if (skip.isValid() && shown == skip.rgb())
                continue;
            if (shown != cell.pixel(x, y))
                return false;
        }
    return true;
}

// "$" + body + "*hh\r\n" with the body's checksum.
inline std::string Sentence(const std::string& strBody) {
    unsigned nSum = 0;
    for (const char c : strBody)
        nSum ^= static_cast<unsigned char>(c);
    char szTail[8];
    std::snprintf(szTail, sizeof szTail, "*%02X\r\n", nSum);
    return "$" + strBody + szTail;
}

inline void Feed(CNmeaParser& gps, const std::string& str) {
    gps.Feed(str.data(), static_cast<uint32_t>(str.size()));
}

// Puts satellite i into the record's satellites-in-view table.
inline void SetSatellite(CNmeaParser& gps, int i, int nPrn, int nAzimuth, int nElevation,
                         int nSnr = 0, int bUsed = 0) {
    gps.m_Sats[i] = {static_cast<uint16_t>(nPrn), static_cast<uint16_t>(nSnr), bUsed,
                     static_cast<uint16_t>(nAzimuth), static_cast<uint16_t>(nElevation)};
}

using SettingsFixture = CleanStoreTest;

// Processes events until done() holds; false if it still does not after a generous limit (a
// safety net against hanging, not a measure of speed).
inline bool ProcessEventsUntilTrue(const std::function<bool()>& done, int nLimitMs = 20000) {
    QDeadlineTimer deadline(nLimitMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(5);
    }
    return true;
}
