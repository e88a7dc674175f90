// SPDX-License-Identifier: MIT
#include "source/Recording.h"

#include "nmea/NmeaParser.h"
#include "source/LogFile.h"

bool StartRecording(CNmeaParser& parser, const QString& strPath) {
    if (parser.IsRecording())
        return false;
    auto pLog = std::make_unique<CLogFile>();
    return pLog->Create(strPath) && parser.StartRecording(std::move(pLog));
}
