// SPDX-License-Identifier: MIT
#include "common/Golden.h"

#include "common/Pixels.h"

#include <QDir>

testing::AssertionResult MatchesPicture(const QImage& image, const QString& strName) {
    const QString strKept = QStringLiteral(RAVUZIZ_DATA_DIR "/pictures/") + strName + ".png";
    const QImage drawn = image.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIntValue("RAVUZIZ_UPDATE_PICTURES") == 1) {
        QDir().mkpath(QStringLiteral(RAVUZIZ_DATA_DIR "/pictures"));
        if (!drawn.save(strKept))
            return testing::AssertionFailure() << "cannot write " << strKept.toStdString();
        return testing::AssertionSuccess();
    }
    QImage kept(strKept);
    if (kept.isNull())
        return testing::AssertionFailure()
               << "no picture " << strKept.toStdString() << " (RAVUZIZ_UPDATE_PICTURES=1 makes it)";
    kept = kept.convertToFormat(QImage::Format_RGB32);
    kept.setDevicePixelRatio(drawn.devicePixelRatio());
    if (kept == drawn)
        return testing::AssertionSuccess();
    const QString strDir = QStringLiteral(RAVUZIZ_BIN_DIR "/pictures-drawn");
    QDir().mkpath(strDir);
    drawn.save(strDir + "/" + strName + ".png");
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << strName.toStdString() << " differs from the kept picture";
    if (kept.size() != drawn.size())
        return failure << ": " << drawn.width() << " x " << drawn.height() << " drawn, "
                       << kept.width() << " x " << kept.height() << " kept";
    return failure << " in " << CountDifferences(kept, drawn) << " pixels within "
                   << testing::PrintToString(DifferenceBounds(kept, drawn))
                   << "; drawn: " << strDir.toStdString() << "/" << strName.toStdString() << ".png";
}
