// SPDX-License-Identifier: MIT
// Starting a recording: the file is created here, on the platform's file service, and handed
// to the parser, whose feed writes every chunk to it.
#pragma once

#include <QString>

class CNmeaParser;

// False at once while a recording is open, or when strPath cannot be created.
bool StartRecording(CNmeaParser& parser, const QString& strPath);
