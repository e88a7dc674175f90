// SPDX-License-Identifier: MIT
// Resources by number for the Qt side: string-table texts as QString, and bitmaps built
// from their pixel rows.
#pragma once

#include "resources/resource.h"

#include <QImage>
#include <QString>

// The string-table text of id; empty for an id the table does not hold.
QString LoadString(StringId id);

// The bitmap resource id (RGB32), or a null image when the program has no such bitmap.
QImage LoadBitmapResource(BitmapId id);

// The strip of status lights, bitmap 133.
QImage LedStripImage();
