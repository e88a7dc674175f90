// SPDX-License-Identifier: MIT
// Tests that write settings start from an empty store, and only ever in the test's own
// settings folder (ctest points XDG_CONFIG_HOME there).
#pragma once

#include "platform/AppInfo.h"

#include <QSettings>

#include <gtest/gtest.h>

class CleanStoreTest : public testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
            GTEST_SKIP() << "run through ctest, which gives the tests their own settings folder";
        QSettings store(kCompanyKey, kAppName);
        store.clear();
        store.sync();
    }

    static QString StorePath() { return QSettings(kCompanyKey, kAppName).fileName(); }
};
