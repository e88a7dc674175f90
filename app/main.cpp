// ravuziz: the GPS monitor. Besides the window it offers what a Linux user expects of a
// program started from a terminal: --help, --version, replaying a recording at start-up, and
// pictures of the pages made without a display (for documentation and checks).
#include "FrameTimes.h"
#include "PaintCounts.h"
#include "shell/MainView.h"
#include "shell/RavuzizApp.h"

#include <QApplication>
#include <QFileInfo>
#include <QTabBar>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "usage: ravuziz [--replay FILE | --replay - | --port DEVICE [--baud N]]\n"
    "               [--record FILE [--force]]\n"
    "               [--screenshot FILE.png [--page NAME] [--after SECONDS] [--size WxH]]\n"
    "               [--help] [--version]\n"
    "A GPS monitor: reads the NMEA 0183 stream of a receiver on a serial port (or a\n"
    "recording) and shows signal strengths, the satellites in the sky, gauges and averaged\n"
    "positions.\n"
    "  --replay FILE        replay the recording FILE instead of opening the stored port;\n"
    "                       a FIFO or a character device is read as a live source\n"
    "  --replay -           read standard input as a live source: what arrives is shown,\n"
    "                       and after 4.5 s without data the pages clear, as for a silent\n"
    "                       port\n"
    "  --port DEVICE        read the receiver on the serial device DEVICE (e.g.\n"
    "                       /dev/ttyACM0) instead of the stored port\n"
    "  --baud N             its bit rate (default: the stored rate, 4800 at first)\n"
    "  --record FILE        record the stream to FILE from the start; an existing FILE\n"
    "                       is kept unless --force is given, and the file being replayed\n"
    "                       is never recorded onto\n"
    "  --force              with --record, replace FILE if it exists\n"
    "  --screenshot FILE    run without a display, save a picture of the window after a\n"
    "                       while and exit (the safety warning is skipped in this mode only)\n"
    "  --page NAME          the page to picture: Sig/Nav, Azmth/Elvn, Panel or Stats\n"
    "  --after SECONDS      how long to run before the picture (default 5)\n"
    "  --size WxH           window size for the picture (default 480x600)\n"
    "  --help, --version    print this text or the version and exit\n"
    "A receiver on a device outside the usual numbering (or a pseudo-terminal) is reached\n"
    "as port n through the environment variable RAVUZIZ_COM<n>=<device>.\n";

struct Arguments {
    CMainFrame::Options frame;
    bool bForce = false;
    QString strScreenshot;
    QString strPage;
    double dAfterSeconds = 5;
    int nWidth = 0, nHeight = 0;
};

int Fail(const std::string& str) {
    std::fprintf(stderr, "ravuziz: %s (try --help)\n", str.c_str());
    return 2;
}

// Parses argv; returns -1 to go on, otherwise the exit status.
int Parse(int argc, char** argv, Arguments& args) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("ravuziz %s\n", CRavuzizApp::kVersion);
            return 0;
        }
        const char* pValue = nullptr;
        if (arg == "--replay" && (pValue = value())) {
            args.frame.strReplayPath = QString::fromLocal8Bit(pValue);
        } else if (arg == "--port" && (pValue = value())) {
            args.frame.strPortDevice = QString::fromLocal8Bit(pValue);
        } else if (arg == "--baud" && (pValue = value())) {
            char* pEnd = nullptr;
            const long nBaud = std::strtol(pValue, &pEnd, 10);
            if (*pEnd || pEnd == pValue || nBaud < 50 || nBaud > 4000000)
                return Fail("--baud takes a bit rate from 50 to 4000000");
            args.frame.nPortBaud = static_cast<uint32_t>(nBaud);
        } else if (arg == "--record" && (pValue = value())) {
            args.frame.strRecordPath = QString::fromLocal8Bit(pValue);
        } else if (arg == "--force") {
            args.bForce = true;
        } else if (arg == "--screenshot" && (pValue = value())) {
            args.strScreenshot = QString::fromLocal8Bit(pValue);
        } else if (arg == "--page" && (pValue = value())) {
            args.strPage = QString::fromLocal8Bit(pValue);
        } else if (arg == "--after" && (pValue = value())) {
            char* pEnd = nullptr;
            args.dAfterSeconds = std::strtod(pValue, &pEnd);
            if (*pEnd || !(args.dAfterSeconds >= 0 && args.dAfterSeconds <= 3600))
                return Fail("--after takes seconds from 0 to 3600");
        } else if (arg == "--size" && (pValue = value())) {
            if (std::sscanf(pValue, "%dx%d", &args.nWidth, &args.nHeight) != 2 || args.nWidth < 1 ||
                args.nHeight < 1 || args.nWidth > 8000 || args.nHeight > 8000)
                return Fail("--size takes WIDTHxHEIGHT, e.g. 240x320");
        } else {
            return Fail(pValue == nullptr && arg.starts_with("--")
                            ? "'" + std::string(arg) + "' is unknown or lacks its value"
                            : "unexpected argument '" + std::string(arg) + "'");
        }
    }
    if (args.strScreenshot.isEmpty() && (!args.strPage.isEmpty() || args.nWidth))
        return Fail("--page and --size go with --screenshot");
    if (!args.frame.strPortDevice.isEmpty() && !args.frame.strReplayPath.isEmpty())
        return Fail("--port and --replay exclude each other");
    if (args.frame.nPortBaud && args.frame.strPortDevice.isEmpty())
        return Fail("--baud goes with --port");
    if (args.bForce && args.frame.strRecordPath.isEmpty())
        return Fail("--force goes with --record");
    if (!args.frame.strRecordPath.isEmpty() && !args.bForce &&
        QFileInfo::exists(args.frame.strRecordPath))
        return Fail(args.frame.strRecordPath.toStdString() + " exists; give --force to replace it");
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (const int nStatus = Parse(argc, argv, args); nStatus >= 0)
        return nStatus;
    const bool bScreenshot = !args.strScreenshot.isEmpty();
    if (bScreenshot && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    args.frame.bSkipWarning = bScreenshot;

    QApplication qapp(argc, argv);
    // Numbers in texts and settings always use a full stop, whatever the desktop's language.
    std::setlocale(LC_NUMERIC, "C");
    ReportFrameTimesIfAsked();
    ReportPaintCountsIfAsked();
    CRavuzizApp app;
    if (!app.InitInstance(args.frame))
        return 1;
    CMainFrame& frame = *app.MainFrame();
    if (!frame.StartError().isEmpty()) {
        std::fprintf(stderr, "ravuziz: %s\n", frame.StartError().toLocal8Bit().constData());
        return 2;
    }

    if (bScreenshot) {
        if (args.nWidth)
            frame.resize(args.nWidth, args.nHeight);
        if (!args.strPage.isEmpty()) {
            QTabBar* pTabs = frame.View().TabWnd().TabControl();
            int nIndex = -1;
            for (int i = 0; i < pTabs->count(); ++i)
                if (pTabs->tabText(i).compare(args.strPage, Qt::CaseInsensitive) == 0)
                    nIndex = i;
            if (nIndex < 0)
                return Fail("no page '" + args.strPage.toStdString() +
                            "'; the pages are Sig/Nav, Azmth/Elvn, Panel and Stats");
            frame.View().TabWnd().ShowPage(nIndex);
        }
        int nStatus = 0;
        QTimer::singleShot(static_cast<int>(args.dAfterSeconds * 1000), [&] {
            if (!frame.grab().save(args.strScreenshot)) {
                std::fprintf(stderr, "ravuziz: cannot write %s\n",
                             args.strScreenshot.toLocal8Bit().constData());
                nStatus = 2;
            }
            QApplication::quit();
        });
        const int nLoop = QApplication::exec();
        return nStatus ? nStatus : nLoop;
    }
    return QApplication::exec();
}
