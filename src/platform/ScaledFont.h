// SPDX-License-Identifier: MIT
// A page's font by point size, face and weight, made for the screen as the screen realises it
// and made again whenever the screen's dots per inch change, which is what the user's text
// size does (see SetTextScale). Pages keep one per style and ask it at every paint.
#pragma once

#include "platform/GdiObjects.h"

#include <QString>

class CScaledFont {
public:
    CScaledFont(int nTenthsOfPoint, const QString& strFace, int nWeight = FW_DONTCARE)
        : m_nTenthsOfPoint(nTenthsOfPoint), m_strFace(strFace), m_nWeight(nWeight) {}

    const CFont& Get() const;

private:
    int m_nTenthsOfPoint;
    QString m_strFace;
    int m_nWeight;
    mutable int m_nDpiY = 0; // what m_Font was made for; 0 before the first use
    mutable CFont m_Font;
};
