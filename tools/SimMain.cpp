// SPDX-License-Identifier: MIT
// ravuziz-sim: a receiver without hardware. Writes a recording of a simulated drive, or serves
// it in real time on a pseudo-terminal that the program can open like a serial port.
#include "sim/ModernReceiverSim.h"
#include "sim/ReceiverSim.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <pty.h>
#include <string>
#include <string_view>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr const char* kUsage =
    "usage: ravuziz-sim [--receiver classic|modern] [--rate HZ] [--seconds N] [--seed S]\n"
    "                   [--corrupt F] [--output FILE | --pty [--copy FILE] [--speed X]]\n"
    "Simulate a receiver on a drive.\n"
    "  --receiver R  classic (the default): GPS only; GGA, GSA, GSV, RMC, RMB and ZDA\n"
    "                modern: GPS, GLONASS, Galileo and BeiDou on two bands, and SBAS, in\n"
    "                NMEA 4.11; GN GGA and RMC, a GSA per system, two GSV groups per system,\n"
    "                GN RMB and ZDA\n"
    "  --rate HZ     fixes per simulated second, 1 to 10 (default 1); the GSV groups still\n"
    "                come once a second\n"
    "  --seconds N   simulated seconds (default 300; with --pty, until interrupted)\n"
    "  --seed S      sky, noise and corruption seed (default 1)\n"
    "  --corrupt F   share of sentences to damage, 0 to 1 (default 0)\n"
    "  --output FILE write the recording to FILE instead of standard output\n"
    "  --pty         serve in real time on a new pseudo-terminal and print its path;\n"
    "                point the program at it with RAVUZIZ_COM3=<path>\n"
    "  --copy FILE   with --pty, write to FILE exactly the bytes the terminal took (what\n"
    "                nobody read while its buffer was full is dropped, and not copied)\n"
    "  --speed X     with --pty, simulated seconds per real second (default 1)\n";

int Fail(const std::string& str) {
    std::fprintf(stderr, "ravuziz-sim: %s\n", str.c_str());
    return 2;
}

std::string Error(const char* pWhat, const char* pFile) {
    return std::string(pWhat) + " " + pFile + ": " + std::strerror(errno);
}

template <typename T> bool Parse(std::string_view s, T& value) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool WriteAll(int fd, const char* p, size_t nSize) {
    for (size_t nDone = 0; nDone < nSize;) {
        const ssize_t n = write(fd, p + nDone, nSize - nDone);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        nDone += static_cast<size_t>(n);
    }
    return true;
}

// Waits until deadline; true when a stop signal came first. The signals are blocked and taken
// here, so one that arrives while an epoch is being written is not missed.
bool StopSignalBefore(std::chrono::steady_clock::time_point deadline, const sigset_t& signals) {
    for (;;) {
        const auto left = std::max(deadline - std::chrono::steady_clock::now(),
                                   std::chrono::steady_clock::duration::zero());
        const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        const timespec timeout{static_cast<time_t>(nanoseconds / 1000000000),
                               static_cast<long>(nanoseconds % 1000000000)};
        if (sigtimedwait(&signals, nullptr, &timeout) > 0)
            return true;
        if (errno != EINTR && std::chrono::steady_clock::now() >= deadline)
            return false;
    }
}

// Bytes the terminal took but nobody has read yet are thrown away when it closes; a reader
// still at work gets a moment to take them, so that what it read and the copy end alike. The
// terminal's queue can read empty for an instant while it refills from what is still on its
// way, so it counts as drained when it has stayed empty for 100 ms; a queue that does not
// move for 300 ms has no reader, and two seconds are the most any reader gets.
void LetReaderDrain(int nSlave) {
    int nLast = -1, nSame = 0, nEmpty = 0;
    for (int nLooks = 0; nEmpty < 10 && nSame < 30 && nLooks < 200; ++nLooks) {
        int nQueued = 0;
        if (ioctl(nSlave, FIONREAD, &nQueued) != 0)
            return;
        nEmpty = nQueued == 0 ? nEmpty + 1 : 0;
        nSame = nQueued > 0 && nQueued == nLast ? nSame + 1 : 0;
        nLast = nQueued;
        const timespec pause{0, 10000000};
        nanosleep(&pause, nullptr);
    }
}

int Serve(CSimReceiver& sim, long nSeconds, double dSpeed, const char* pCopy) {
    const int nCopy = pCopy ? open(pCopy, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
    if (pCopy && nCopy < 0)
        return Fail(Error("cannot create", pCopy));
    int nMaster = -1, nSlave = -1;
    char szName[256] = {};
    if (openpty(&nMaster, &nSlave, szName, nullptr, nullptr) != 0)
        return Fail(std::string("cannot open a pseudo-terminal: ") + std::strerror(errno));
    // Raw, so the receiver's CR LF arrive as sent. The slave stays open here as well, so the
    // terminal survives the program closing and reopening it.
    termios tio{};
    tcgetattr(nSlave, &tio);
    cfmakeraw(&tio);
    cfsetspeed(&tio, B4800);
    tcsetattr(nSlave, TCSANOW, &tio);
    // Nobody reading is like a receiver talking into an unplugged cable: output is dropped
    // rather than waited for.
    fcntl(nMaster, F_SETFL, fcntl(nMaster, F_GETFL) | O_NONBLOCK);

    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    std::printf("%s\n", szName);
    std::fflush(stdout);

    const auto period = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(1.0 / (dSpeed * sim.Rate())));
    const long long nEpochs = nSeconds < 0 ? -1 : static_cast<long long>(nSeconds) * sim.Rate();
    auto next = std::chrono::steady_clock::now();
    std::string s, strError;
    for (long long i = 0; nEpochs < 0 || i < nEpochs; ++i) {
        s.clear();
        sim.NextEpoch(s);
        for (size_t nDone = 0; nDone < s.size();) {
            const ssize_t n = write(nMaster, s.data() + nDone, s.size() - nDone);
            if (n <= 0)
                break;
            if (nCopy >= 0 && !WriteAll(nCopy, s.data() + nDone, static_cast<size_t>(n))) {
                strError = Error("cannot write", pCopy);
                break;
            }
            nDone += static_cast<size_t>(n);
        }
        if (!strError.empty())
            break;
        next += period;
        if (StopSignalBefore(next, signals))
            break;
    }
    LetReaderDrain(nSlave);
    close(nMaster);
    close(nSlave);
    if (nCopy >= 0 && close(nCopy) != 0 && strError.empty())
        strError = Error("cannot write", pCopy);
    return strError.empty() ? 0 : Fail(strError);
}

} // namespace

int main(int argc, char** argv) {
    long nSeconds = -1;
    uint32_t nSeed = 1;
    int nRate = 1;
    double dCorrupt = 0, dSpeed = 1;
    const char* pOutput = nullptr;
    const char* pCopy = nullptr;
    bool bPty = false, bModern = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const auto value = [&](std::string_view& v) {
            if (i + 1 >= argc)
                return false;
            v = argv[++i];
            return true;
        };
        std::string_view v;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--pty") {
            bPty = true;
        } else if (arg == "--receiver") {
            if (!value(v) || (v != "classic" && v != "modern"))
                return Fail("--receiver takes classic or modern");
            bModern = v == "modern";
        } else if (arg == "--rate") {
            if (!value(v) || !Parse(v, nRate) || nRate < 1 || nRate > 10)
                return Fail("--rate takes a whole number of fixes a second, 1 to 10");
        } else if (arg == "--seconds") {
            if (!value(v) || !Parse(v, nSeconds) || nSeconds < 0)
                return Fail("--seconds takes a whole number of seconds");
        } else if (arg == "--seed") {
            if (!value(v) || !Parse(v, nSeed))
                return Fail("--seed takes a whole number");
        } else if (arg == "--corrupt") {
            if (!value(v) || !Parse(v, dCorrupt) || !(dCorrupt >= 0 && dCorrupt <= 1))
                return Fail("--corrupt takes a share from 0 to 1");
        } else if (arg == "--speed") {
            if (!value(v) || !Parse(v, dSpeed) || !(dSpeed > 0 && dSpeed <= 1000))
                return Fail("--speed takes a factor above 0, up to 1000");
        } else if (arg == "--output") {
            if (!value(v))
                return Fail("--output needs a file name");
            pOutput = v.data();
        } else if (arg == "--copy") {
            if (!value(v))
                return Fail("--copy needs a file name");
            pCopy = v.data();
        } else {
            return Fail("unknown argument '" + std::string(arg) + "' (try --help)");
        }
    }
    if (bPty && pOutput)
        return Fail("--pty and --output exclude each other");
    if (pCopy && !bPty)
        return Fail("--copy goes with --pty");

    std::unique_ptr<CSimReceiver> pSim;
    if (bModern)
        pSim = std::make_unique<CModernReceiverSim>(nSeed, dCorrupt, nRate);
    else
        pSim = std::make_unique<CReceiverSim>(nSeed, dCorrupt, nRate);
    if (bPty)
        return Serve(*pSim, nSeconds, dSpeed, pCopy);

    const int fd = pOutput ? open(pOutput, O_WRONLY | O_CREAT | O_TRUNC, 0644) : STDOUT_FILENO;
    if (fd < 0)
        return Fail(Error("cannot create", pOutput));
    const char* pWhere = pOutput ? pOutput : "standard output";
    std::string s;
    const long nTotal = nSeconds < 0 ? 300 : nSeconds;
    for (long i = 0; i < nTotal; ++i) {
        pSim->NextSecond(s);
        if (s.size() >= (1 << 16) || i + 1 == nTotal) {
            if (!WriteAll(fd, s.data(), s.size()))
                return Fail(Error("cannot write", pWhere));
            s.clear();
        }
    }
    if (pOutput && close(fd) != 0)
        return Fail(Error("cannot write", pOutput));
    return 0;
}
