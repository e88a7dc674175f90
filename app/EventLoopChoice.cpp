// SPDX-License-Identifier: MIT
// Qt's event loop on Linux runs on GLib's by default, which prepares, checks and dispatches
// its sources on every wake-up besides Qt's own bookkeeping. The monitor wakes several times a
// second for as long as it runs (the poll, the activity light, the gauges), and under a real X
// server GLib's passes are a measurable part of what watching costs. Only GTK needs GLib's loop
// here: Qt's GTK platform theme, which an explicit choice or a GTK desktop loads when it is
// installed, runs GTK's dialogs and settings in the process. Everywhere else Qt's own loop is
// used, and a user's own QT_NO_GLIB stands either way.
#include "EventLoopChoice.h"

#include <QDir>
#include <QLibraryInfo>
#include <QStringList>

#include <utility>

namespace {

// The desktops Qt offers the GTK theme on when no theme is chosen.
bool IsGtkDesktop() {
    static const char* const kGtkDesktops[] = {"GNOME", "X-CINNAMON", "UNITY",
                                               "MATE",  "XFCE",       "LXDE"};
    const QStringList names =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").toUpper().split(QLatin1Char(':'));
    for (const char* pszDesktop : kGtkDesktops)
        if (names.contains(QLatin1String(pszDesktop)))
            return true;
    return false;
}

bool GtkThemeInstalled() {
    QStringList folders =
        qEnvironmentVariable("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath);
    for (const QString& strFolder : folders) {
        const QDir themes(strFolder + QLatin1String("/platformthemes"));
        if (!themes.entryList({QStringLiteral("*gtk*")}, QDir::Files).isEmpty())
            return true;
    }
    return false;
}

bool GtkMayLoad() {
    const QString strTheme = qEnvironmentVariable("QT_QPA_PLATFORMTHEME");
    if (!strTheme.isEmpty())
        return strTheme.contains(QLatin1String("gtk"), Qt::CaseInsensitive);
    return IsGtkDesktop() && GtkThemeInstalled();
}

bool g_bChosen = false; // QT_NO_GLIB is ours

} // namespace

void ChooseEventLoop() {
    if (qEnvironmentVariableIsSet("QT_NO_GLIB") || GtkMayLoad())
        return;
    g_bChosen = qputenv("QT_NO_GLIB", "1");
}

void KeepEventLoopChoiceToItself() {
    if (std::exchange(g_bChosen, false))
        qunsetenv("QT_NO_GLIB");
}
