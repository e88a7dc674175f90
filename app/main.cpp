// SPDX-License-Identifier: MIT
// ravuziz: the GPS monitor. Besides the window it offers what a Linux user expects of a
// program started from a terminal: --help, --version, choosing the source at start-up (a
// recording, a device, gpsd, a TCP peer, UDP datagrams), and pictures of the pages made
// without a display (for documentation and checks).
#include "EventLoopChoice.h"
#include "PaintReports.h"
#include "shell/MainView.h"
#include "shell/RavuzizApp.h"
#include "source/GpsdSource.h"

#include <QApplication>
#include <QFileInfo>
#include <QTabBar>
#include <QTimer>

#include <malloc.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: ravuziz [--replay FILE | --replay - [--pace fixed|recorded] [--speed X]\n"
    "                | --port DEVICE [--baud N|auto] | --gpsd [HOST[:PORT]]\n"
    "                | --tcp HOST:PORT | --udp PORT]\n"
    "               [--record FILE [--force]]\n"
    "               [--screenshot FILE.png [--page NAME] [--after SECONDS] [--size WxH]]\n"
    "               [--help] [--version]\n"
    "A GPS monitor: reads the NMEA 0183 stream of a receiver (on a serial port, through\n"
    "gpsd, over TCP or UDP, or from a recording) and shows signal strengths, the\n"
    "satellites in the sky, gauges and averaged positions.\n"
    "  --replay FILE        replay the recording FILE instead of opening the stored port;\n"
    "                       a FIFO or a character device is read as a live source\n"
    "  --replay -           read standard input as a live source: what arrives is shown,\n"
    "                       and after 4.5 s without data the pages clear, as for a silent\n"
    "                       port\n"
    "  --pace fixed         replay at most 255 bytes every 0.3 s, about 850 bytes a second\n"
    "  --pace recorded      replay at the pace the recording was made at, by the times in\n"
    "                       its sentences (default: the pace chosen in Connect > Replay)\n"
    "  --speed X            with the recorded pace, X times as fast: 1, 2, 4 or 8\n"
    "  --port DEVICE        read the receiver on the serial device DEVICE (e.g.\n"
    "                       /dev/ttyACM0) instead of the stored port\n"
    "  --baud N|auto        its bit rate (default: the stored rate, 4800 at first); auto\n"
    "                       tries the usual rates until sentences arrive\n"
    "  --gpsd [HOST[:PORT]] read the receiver gpsd serves (default localhost:2947)\n"
    "  --tcp HOST:PORT      read NMEA from a TCP server (a phone, a multiplexer; NMEA's\n"
    "                       own port is 10110)\n"
    "  --udp PORT           read NMEA sent in UDP datagrams to PORT\n"
    "                       A network source that is not there or goes away is tried\n"
    "                       again, waiting longer each time, up to 30 s\n"
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
    std::vector<std::string> sources; // the source options given, in order
    std::string strPace;
    int nSpeed = 0;
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

// A port number from 1 to 65535; 0 for anything else.
quint16 PortNumber(std::string_view s) {
    int nPort = 0;
    for (const char c : s) {
        if (c < '0' || c > '9' || nPort > 65535)
            return 0;
        nPort = nPort * 10 + (c - '0');
    }
    return nPort <= 65535 ? static_cast<quint16>(nPort) : 0;
}

// HOST, HOST:PORT, [IPV6] or [IPV6]:PORT (an IPv6 address without brackets has no port); the
// port is nPort unless given. False for an empty host or a port that is no port number.
bool ParseHostPort(std::string_view s, QString& strHost, quint16& nPort, bool& bPortGiven) {
    std::string_view host = s, port;
    if (s.starts_with('[')) {
        const size_t nClose = s.find(']');
        if (nClose == std::string_view::npos)
            return false;
        host = s.substr(1, nClose - 1);
        const std::string_view rest = s.substr(nClose + 1);
        if (!rest.empty() && (!rest.starts_with(':') || (port = rest.substr(1)).empty()))
            return false;
    } else if (const size_t nColon = s.find(':');
               nColon != std::string_view::npos &&
               s.find(':', nColon + 1) == std::string_view::npos) {
        host = s.substr(0, nColon);
        if ((port = s.substr(nColon + 1)).empty())
            return false;
    }
    bPortGiven = !port.empty();
    if (host.empty() || (bPortGiven && !(nPort = PortNumber(port))))
        return false;
    strHost = QString::fromLocal8Bit(host.data(), static_cast<qsizetype>(host.size()));
    return true;
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
            args.sources.emplace_back(arg);
        } else if (arg == "--port" && (pValue = value())) {
            args.frame.strPortDevice = QString::fromLocal8Bit(pValue);
            args.sources.emplace_back(arg);
        } else if (arg == "--baud" && (pValue = value())) {
            char* pEnd = nullptr;
            const long nBaud = std::strtol(pValue, &pEnd, 10);
            if (std::string_view(pValue) == "auto")
                args.frame.nPortBaud = 0;
            else if (*pEnd || pEnd == pValue || nBaud < 50 || nBaud > 4000000)
                return Fail("--baud takes a bit rate from 50 to 4000000, or auto");
            else
                args.frame.nPortBaud = static_cast<uint32_t>(nBaud);
        } else if (arg == "--gpsd") {
            // The address is optional: a next argument that is an option is none.
            args.frame.netSource = SourceKind::Gpsd;
            args.frame.strNetHost = QStringLiteral("localhost");
            args.frame.nNetPort = CGpsdSource::kDefaultPort;
            bool bPortGiven = false;
            if (i + 1 < argc && argv[i + 1][0] != '-' &&
                !ParseHostPort(argv[++i], args.frame.strNetHost, args.frame.nNetPort, bPortGiven))
                return Fail("--gpsd takes HOST or HOST:PORT with a port from 1 to 65535");
            args.sources.emplace_back(arg);
        } else if (arg == "--tcp" && (pValue = value())) {
            args.frame.netSource = SourceKind::Tcp;
            bool bPortGiven = false;
            if (!ParseHostPort(pValue, args.frame.strNetHost, args.frame.nNetPort, bPortGiven) ||
                !bPortGiven)
                return Fail("--tcp takes HOST:PORT with a port from 1 to 65535");
            args.sources.emplace_back(arg);
        } else if (arg == "--udp" && (pValue = value())) {
            args.frame.netSource = SourceKind::Udp;
            if (!(args.frame.nNetPort = PortNumber(pValue)))
                return Fail("--udp takes a port from 1 to 65535");
            args.sources.emplace_back(arg);
        } else if (arg == "--pace" && (pValue = value())) {
            args.strPace = pValue;
            if (args.strPace != "fixed" && args.strPace != "recorded")
                return Fail("--pace takes fixed or recorded");
        } else if (arg == "--speed" && (pValue = value())) {
            const std::string_view speed = pValue;
            args.nSpeed = speed == "1"   ? 1
                          : speed == "2" ? 2
                          : speed == "4" ? 4
                          : speed == "8" ? 8
                                         : 0;
            if (!args.nSpeed)
                return Fail("--speed takes 1, 2, 4 or 8");
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
    if (args.sources.size() > 1)
        return Fail(args.sources[0] + " and " + args.sources[1] + " exclude each other");
    if (args.frame.nPortBaud && args.frame.strPortDevice.isEmpty())
        return Fail("--baud goes with --port");
    if ((!args.strPace.empty() || args.nSpeed) && args.frame.strReplayPath.isEmpty())
        return Fail("--pace and --speed go with --replay");
    if (args.nSpeed && args.strPace == "fixed")
        return Fail("--speed goes with --pace recorded");
    if (args.strPace == "fixed")
        args.frame.nReplayPace = CPacedReplay::kFixedPace;
    else if (!args.strPace.empty() || args.nSpeed)
        args.frame.nReplayPace = std::max(args.nSpeed, 1);
    if (args.bForce && args.frame.strRecordPath.isEmpty())
        return Fail("--force goes with --record");
    if (!args.frame.strRecordPath.isEmpty() && !args.bForce &&
        QFileInfo::exists(args.frame.strRecordPath))
        return Fail(args.frame.strRecordPath.toStdString() + " exists; give --force to replace it");
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    // Blocks of 128 KiB and more (window surfaces, the drawings a gauge face is kept from) get
    // pages of their own, given back when they are freed. Left to adjust itself, the allocator
    // keeps such blocks in its heap once one has been freed, and the process would go on
    // holding the memory of every face it rebuilt.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    // The few threads (the X event reader, the desktop bus, the painter's helpers) allocate little
    // and seldom; one heap for all of them spares an arena of pages each.
    mallopt(M_ARENA_MAX, 1);
    Arguments args;
    if (const int nStatus = Parse(argc, argv, args); nStatus >= 0)
        return nStatus;
    const bool bScreenshot = !args.strScreenshot.isEmpty();
    if (bScreenshot && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    args.frame.bSkipWarning = bScreenshot;
    args.frame.bStoreDesktop = !bScreenshot; // a picture leaves the desktop to come as it was

    ChooseEventLoop();
    QApplication qapp(argc, argv);
    KeepEventLoopChoiceToItself();
    // Numbers in texts and settings always use a full stop, whatever the desktop's language.
    std::setlocale(LC_NUMERIC, "C");
    StartPaintReportsIfAsked();
    CRavuzizApp app;
    if (!app.InitInstance(args.frame))
        return 1;
    CMainFrame& frame = *app.MainFrame();
    if (!frame.StartError().isEmpty()) {
        std::fprintf(stderr, "ravuziz: %s\n", frame.StartError().toLocal8Bit().constData());
        return 2;
    }
    // gpsd or a TCP peer that is not there is tried again without end; the terminal is told
    // why once, as the window's status bar tells it all the while.
    QTimer reachable;
    QObject::connect(&reachable, &QTimer::timeout, [&] {
        const SourceStatus source = frame.ShownSource();
        if (source.state != SourceStatus::State::Away)
            return;
        std::fprintf(stderr, "ravuziz: %s: %s\n",
                     CMainFrame::SourceText(source).toLocal8Bit().constData(),
                     source.strProblem.toLocal8Bit().constData());
        reachable.stop();
    });
    if (args.frame.netSource == SourceKind::Gpsd || args.frame.netSource == SourceKind::Tcp)
        reachable.start(CPollLoop::kPeriodMs);

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
