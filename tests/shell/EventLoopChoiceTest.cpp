// SPDX-License-Identifier: MIT
// Which event loop the program asks Qt for: GLib's wherever GTK may share the process, Qt's
// own elsewhere, the user's QT_NO_GLIB always, and none of it passed on to what it starts.
#include "EventLoopChoice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The variables the choice reads, and the one it writes; null unsets.
struct Environment {
    const char* pszTheme;
    const char* pszDesktop;
    bool bGtkThemeInPluginPath;
    const char* pszNoGlib;
};

void Put(const char* pszName, const char* pszValue) {
    if (pszValue)
        qputenv(pszName, pszValue);
    else
        qunsetenv(pszName);
}

} // namespace

TEST(EventLoopChoice, GlibWhereGtkMayLoadOwnLoopElsewhereAndTheUsersWordStands) {
    QTemporaryDir plugins;
    ASSERT_TRUE(QDir(plugins.path()).mkpath(QStringLiteral("platformthemes")));
    QFile gtk(plugins.filePath(QStringLiteral("platformthemes/libqgtk3.so")));
    ASSERT_TRUE(gtk.open(QIODevice::WriteOnly));
    gtk.close();

    const struct {
        Environment env;
        const char* pszChosen; // QT_NO_GLIB while the application object is made
    } kCases[] = {
        {{nullptr, nullptr, true, nullptr}, "1"},
        {{nullptr, "KDE", true, nullptr}, "1"},
        {{nullptr, "ubuntu:GNOME", true, nullptr}, nullptr},
        {{nullptr, "X-Cinnamon", true, nullptr}, nullptr},
        {{nullptr, "GNOME", false, nullptr}, "1"}, // Debian's Qt has no GTK theme of its own
        {{"gtk3", nullptr, false, nullptr}, nullptr},
        {{"kde", "GNOME", true, nullptr}, "1"}, // a theme named is the theme loaded
        {{nullptr, "GNOME", true, "0"}, "0"},
        {{nullptr, nullptr, false, ""}, ""},
    };
    for (const auto& c : kCases) {
        const Environment& env = c.env;
        Put("QT_QPA_PLATFORMTHEME", env.pszTheme);
        Put("XDG_CURRENT_DESKTOP", env.pszDesktop);
        Put("QT_PLUGIN_PATH",
            env.bGtkThemeInPluginPath ? plugins.path().toLocal8Bit().constData() : nullptr);
        Put("QT_NO_GLIB", env.pszNoGlib);
        const std::string strCase = std::string(env.pszTheme ? env.pszTheme : "-") + " " +
                                    (env.pszDesktop ? env.pszDesktop : "-");
        ChooseEventLoop();
        EXPECT_EQ(qEnvironmentVariableIsSet("QT_NO_GLIB"), c.pszChosen != nullptr) << strCase;
        if (c.pszChosen) {
            EXPECT_EQ(qgetenv("QT_NO_GLIB"), c.pszChosen) << strCase;
        }
        KeepEventLoopChoiceToItself();
        EXPECT_EQ(qEnvironmentVariableIsSet("QT_NO_GLIB"), env.pszNoGlib != nullptr) << strCase;
    }
    for (const char* pszName :
         {"QT_QPA_PLATFORMTHEME", "XDG_CURRENT_DESKTOP", "QT_PLUGIN_PATH", "QT_NO_GLIB"})
        qunsetenv(pszName);
}
