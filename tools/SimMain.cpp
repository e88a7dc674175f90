// ravuziz-sim: a receiver without hardware. Writes a recording of a simulated drive, or serves
// it in real time on a pseudo-terminal that the program can open like a serial port.
#include "sim/ReceiverSim.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <string>
#include <string_view>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr const char* kUsage =
    "usage: ravuziz-sim [--seconds N] [--seed S] [--corrupt F] [--output FILE | --pty]\n"
    "                   [--speed X]\n"
    "Simulate a GPS receiver on a drive: GGA, GSA, GSV, RMC, RMB and ZDA once per second.\n"
    "  --seconds N   simulated seconds (default 300; with --pty, until interrupted)\n"
    "  --seed S      noise and corruption seed (default 1)\n"
    "  --corrupt F   share of sentences to damage, 0 to 1 (default 0)\n"
    "  --output FILE write the recording to FILE instead of standard output\n"
    "  --pty         serve in real time on a new pseudo-terminal and print its path;\n"
    "                point the program at it with RAVUZIZ_COM3=<path>\n"
    "  --speed X     with --pty, simulated seconds per real second (default 1)\n";

volatile std::sig_atomic_t g_bStop = 0;

int Fail(const std::string& str) {
    std::fprintf(stderr, "ravuziz-sim: %s\n", str.c_str());
    return 2;
}

template <typename T> bool Parse(std::string_view s, T& value) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool WriteAll(int fd, const std::string& s) {
    for (size_t nDone = 0; nDone < s.size();) {
        const ssize_t n = write(fd, s.data() + nDone, s.size() - nDone);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        nDone += static_cast<size_t>(n);
    }
    return true;
}

int Serve(CReceiverSim& sim, long nSeconds, double dSpeed) {
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
    std::printf("%s\n", szName);
    std::fflush(stdout);

    std::signal(SIGINT, [](int) { g_bStop = 1; });
    std::signal(SIGTERM, [](int) { g_bStop = 1; });
    const auto period = std::chrono::duration<double>(1.0 / dSpeed);
    auto next = std::chrono::steady_clock::now();
    std::string s;
    for (long i = 0; !g_bStop && (nSeconds < 0 || i < nSeconds); ++i) {
        s.clear();
        sim.NextSecond(s);
        for (size_t nDone = 0; nDone < s.size();) {
            const ssize_t n = write(nMaster, s.data() + nDone, s.size() - nDone);
            if (n <= 0)
                break;
            nDone += static_cast<size_t>(n);
        }
        next += std::chrono::duration_cast<std::chrono::steady_clock::duration>(period);
        std::this_thread::sleep_until(next);
    }
    close(nMaster);
    close(nSlave);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    long nSeconds = -1;
    uint32_t nSeed = 1;
    double dCorrupt = 0, dSpeed = 1;
    const char* pOutput = nullptr;
    bool bPty = false;
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
        } else {
            return Fail("unknown argument '" + std::string(arg) + "' (try --help)");
        }
    }
    if (bPty && pOutput)
        return Fail("--pty and --output exclude each other");

    CReceiverSim sim(nSeed, dCorrupt);
    if (bPty)
        return Serve(sim, nSeconds, dSpeed);

    const int fd = pOutput ? open(pOutput, O_WRONLY | O_CREAT | O_TRUNC, 0644) : STDOUT_FILENO;
    if (fd < 0)
        return Fail(std::string("cannot create ") + pOutput + ": " + std::strerror(errno));
    std::string s;
    const long nTotal = nSeconds < 0 ? 300 : nSeconds;
    for (long i = 0; i < nTotal; ++i) {
        sim.NextSecond(s);
        if (s.size() >= (1 << 16) || i + 1 == nTotal) {
            if (!WriteAll(fd, s))
                return Fail(std::string("cannot write ") + (pOutput ? pOutput : "standard output") +
                            ": " + std::strerror(errno));
            s.clear();
        }
    }
    if (pOutput && close(fd) != 0)
        return Fail(std::string("cannot write ") + pOutput + ": " + std::strerror(errno));
    return 0;
}
