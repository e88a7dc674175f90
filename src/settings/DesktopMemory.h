// SPDX-License-Identifier: MIT
// Whether the program picks up the desktop where it was left (see kRememberDesktop): asked
// at every use, like every setting, so turning it off takes effect at once.
#pragma once

#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"

inline bool RemembersDesktop() {
    return ReadSettingInt(QString::fromLatin1(kSectionDesktop),
                          QString::fromLatin1(kRememberDesktop), kDefaultRememberDesktop) != 0;
}
