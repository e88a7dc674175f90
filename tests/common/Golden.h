// SPDX-License-Identifier: MIT
// Pictures kept under data/pictures: a test compares what it drew, pixel for pixel, with the
// PNG of that name. Run the tests with RAVUZIZ_UPDATE_PICTURES=1 to write every picture anew,
// then look at the changed PNGs before committing them. A picture that differs is saved under
// the build folder (pictures-drawn/) for a look.
#pragma once

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

testing::AssertionResult MatchesPicture(const QImage& image, const QString& strName);
