// SPDX-License-Identifier: MIT
// The overflow buttons' icons, read when first drawn, are the style's own: the same pixels
// at every size and in either direction.
#include "platform/DeferredIconStyle.h"

#include <QApplication>
#include <QIcon>
#include <QStyleOption>

#include <gtest/gtest.h>

TEST(DeferredIconStyle, OverflowIconsAreTheStylesOwn) {
    const QString strBase = QApplication::style()->name();
    CDeferredIconStyle style(strBase);
    for (const auto pixmap :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton})
        for (const auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
            QStyleOption option;
            option.direction = direction;
            const QIcon deferred = style.standardIcon(pixmap, &option);
            const QIcon own = style.baseStyle()->standardIcon(pixmap, &option);
            ASSERT_FALSE(own.isNull());
            for (const int nSize : {8, 16, 32})
                EXPECT_TRUE(deferred.pixmap(nSize).toImage() == own.pixmap(nSize).toImage())
                    << pixmap << " " << direction << " " << nSize;
        }
}
