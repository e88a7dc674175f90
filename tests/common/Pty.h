// SPDX-License-Identifier: MIT
// Real pseudo-terminals standing in for receivers on serial ports.
#pragma once

#include <string>

// A pseudo-terminal in raw mode, reachable as port nPort through RAVUZIZ_COM<nPort>.
class CPty {
public:
    explicit CPty(int nPort);
    ~CPty();
    CPty(const CPty&) = delete;
    CPty& operator=(const CPty&) = delete;

    // Writes to the receiver's side; what the program reads from the port.
    void Send(const std::string& str);
    // The same from a receiver talking at nBaud: a program that set its side of the terminal
    // to another rate reads noise, as from a serial line.
    void SendAt(const std::string& str, int nBaud);
    // The rate the program set its side of the terminal to.
    int Baud() const;
    // The receiver unplugged: its side of the terminal goes away.
    void Unplug();
    // Bytes sent that the program has not taken from the terminal yet.
    int Waiting() const;
    const std::string& Path() const { return m_strPath; }
    int MasterFd() const { return m_nMaster; }
    // The program's side, for a look at the line settings it chose.
    int SlaveFd() const { return m_nSlave; }

private:
    int m_nMaster = -1;
    int m_nSlave = -1;
    int m_nPort;
    std::string m_strPath;
};
