// SPDX-License-Identifier: MIT
// The per-user store of the program's settings: named integers and texts in sections. There
// is no copy of its values elsewhere: every read asks the store, so a choice written by one
// part of the program is what every other part reads next, without notification, and a change
// another program makes to the file is read from then on. The names and defaults are in
// settings/SettingNames.h.
#pragma once

#include <QString>

// The stored integer, or nDefault when the value is absent or is not a 32-bit integer.
int ReadSettingInt(const QString& strSection, const QString& strName, int nDefault);
// Writes through to the store; false when the store could not be written.
bool WriteSettingInt(const QString& strSection, const QString& strName, int nValue);

// The stored text, or strDefault when the value is absent or is not a text.
QString ReadSettingString(const QString& strSection, const QString& strName,
                          const QString& strDefault);
bool WriteSettingString(const QString& strSection, const QString& strName, const QString& strValue);

// Has the next read open the store afresh: needed only after QSettings::setPath moved it.
void ReopenSettingsStore();
