// SPDX-License-Identifier: MIT
// The two marker icons, pixel for pixel: XORed onto the black sky they must show exactly these
// colours, and their black must stay black or it would tint the sky under every marker.
#include "resources/QtResources.h"
#include "resources/resource.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

QRgb ColourOf(char c) {
    switch (c) {
        case '.': return qRgb(0, 0, 0);
        case 'd': return qRgb(128, 128, 128);
        case 's': return qRgb(192, 192, 192);
        case 'Y': return qRgb(255, 255, 0);
        case 'R': return qRgb(255, 0, 0);
        case 'B': return qRgb(0, 0, 255);
        case 'W': return qRgb(255, 255, 255);
        default: ADD_FAILURE() << "no colour for " << c; return 0;
    }
}

TEST(SatelliteIcons, AreFifteenByThirteenPixelsOfTheirRows) {
    struct Icon {
        BitmapId id;
        const char* rows[13];
    } const icons[] = {
        {IDB_SAT_NOT_USED,
         {"dddd.......dddd", "dssd.......dssd", "dssd.......dssd", "dssd..ddd..dssd",
          "dssd.dsssd.dssd", "dssddssdssddssd", "dssddsdddsddssd", "dssddssdssddssd",
          "dssd.dsssd.dssd", "dssd..ddd..dssd", "dssd.......dssd", "dssd.......dssd",
          "dddd.......dddd"}},
        {IDB_SAT_USED,
         {"YYYY.......YYYY", "YRRY.......YRRY", "YRRY.......YRRY", "YRRY..YYY..YRRY",
          "YRRY.YBBBY.YRRY", "YRRYYBBWBBYYRRY", "YRRYYBWWWBYYRRY", "YRRYYBBWBBYYRRY",
          "YRRY.YBBBY.YRRY", "YRRY..YYY..YRRY", "YRRY.......YRRY", "YRRY.......YRRY",
          "YYYY.......YYYY"}},
    };
    for (const Icon& icon : icons) {
        SCOPED_TRACE(static_cast<int>(icon.id));
        const QImage image = LoadBitmapResource(icon.id);
        ASSERT_EQ(image.size(), QSize(15, 13));
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 15; ++x)
                EXPECT_EQ(image.pixel(x, y), ColourOf(icon.rows[y][x])) << x << ", " << y;
    }
}

} // namespace
