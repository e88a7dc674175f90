// SPDX-License-Identifier: MIT
#include "common/Pty.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

CPty::CPty(int nPort) : m_nPort(nPort) {
    char szName[256] = {};
    if (openpty(&m_nMaster, &m_nSlave, szName, nullptr, nullptr) != 0)
        ADD_FAILURE() << "openpty failed";
    termios tio{};
    tcgetattr(m_nSlave, &tio);
    cfmakeraw(&tio);
    tcsetattr(m_nSlave, TCSANOW, &tio);
    m_strPath = szName;
    setenv(("RAVUZIZ_COM" + std::to_string(nPort)).c_str(), szName, 1);
}

CPty::~CPty() {
    unsetenv(("RAVUZIZ_COM" + std::to_string(m_nPort)).c_str());
    Unplug();
}

void CPty::Send(const std::string& str) {
    for (size_t nDone = 0; nDone < str.size();) {
        const ssize_t n = write(m_nMaster, str.data() + nDone, str.size() - nDone);
        ASSERT_GT(n, 0);
        nDone += static_cast<size_t>(n);
    }
}

int CPty::Baud() const {
    termios tio{};
    tcgetattr(m_nSlave, &tio);
    switch (cfgetispeed(&tio)) {
        case B4800: return 4800;
        case B9600: return 9600;
        case B19200: return 19200;
        case B38400: return 38400;
        case B57600: return 57600;
        case B115200: return 115200;
        default: return 0;
    }
}

void CPty::SendAt(const std::string& str, int nBaud) {
    if (Baud() == nBaud)
        return Send(str);
    // Bits sampled at the wrong moments: never a '$', '*' or line end where one was sent.
    std::string strNoise = str;
    for (char& c : strNoise)
        c = static_cast<char>(static_cast<unsigned char>(c) * 7 + 3);
    Send(strNoise);
}

void CPty::Unplug() {
    if (m_nMaster >= 0)
        close(m_nMaster);
    if (m_nSlave >= 0)
        close(m_nSlave);
    m_nMaster = m_nSlave = -1;
}

int CPty::Waiting() const {
    int nBytes = 0;
    return m_nSlave >= 0 && ioctl(m_nSlave, FIONREAD, &nBytes) == 0 ? nBytes : 0;
}
