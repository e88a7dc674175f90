// SPDX-License-Identifier: MIT
// The desktop's style, with the icons of the menu and tool bars' overflow buttons read only
// when one is first drawn. The style reads them from image files at once, and finding the
// reader for a file loads every image format plugin there is (GIF, ICO, JPEG and the JPEG
// library) into a program that shows no image of those kinds: a fifth of a megabyte held
// for buttons that appear only when the window is too narrow for its bars.
#pragma once

#include <QProxyStyle>

class CDeferredIconStyle final : public QProxyStyle {
public:
    // Over the style named strKey (the application's style as the desktop chose it).
    explicit CDeferredIconStyle(const QString& strKey);

    QIcon standardIcon(StandardPixmap pixmap, const QStyleOption* pOption = nullptr,
                       const QWidget* pWidget = nullptr) const override;
};

// Puts the application's style behind a CDeferredIconStyle (once).
void DeferStandardIcons();
