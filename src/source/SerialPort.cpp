// SPDX-License-Identifier: MIT
#include "source/SerialPort.h"

#include "platform/FileDevice.h"
#include "platform/Interaction.h"
#include "platform/SerialDevice.h"
#include "source/AutoBaud.h"

namespace {

int g_nSettleMs = CSerialPort::kSettleMs;

} // namespace

CSerialPort::~CSerialPort() {
    Close();
}

bool CSerialPort::Open(int nPort, uint32_t nBaud, bool bReportErrors) {
    m_hPort.reset();
    auto pDevice = std::make_unique<CSerialDevice>();
    if (!pDevice->Open(QStringLiteral("COM%1:").arg(nPort))) {
        if (bReportErrors) {
            // The fixed text first; below it the system's reason, so a Linux user learns
            // whether it is a permission, a missing device or a port held by another program.
            QString strText = QStringLiteral("Unable to open port. Please close the application "
                                             "accessing the communication port");
            if (!pDevice->OpenErrorText().isEmpty())
                strText += QStringLiteral("\n\n") + pDevice->OpenErrorText();
            MessageBox(strText, MB_OK, QStringLiteral("Communication Error"));
        }
        return false;
    }
    InstallPort(std::move(pDevice), nBaud);
    m_nPort = nPort;
    m_strDevice.clear();
    m_nBaud = nBaud;
    return true;
}

bool CSerialPort::OpenDevice(const QString& strPath, uint32_t nBaud, QString* pError) {
    m_hPort.reset();
    auto pDevice = std::make_unique<CSerialDevice>();
    if (!pDevice->OpenPath(strPath)) {
        if (pError)
            *pError = pDevice->OpenErrorText();
        return false;
    }
    InstallPort(std::move(pDevice), nBaud);
    m_nPort = 0;
    m_strDevice = strPath;
    m_nBaud = nBaud;
    return true;
}

void CSerialPort::InstallPort(std::unique_ptr<CSerialDevice> pDevice, uint32_t nBaud) {
    if (nBaud == 0) {
        m_hPort = std::make_unique<CAutoBaudPort>(std::move(pDevice));
        return;
    }
    pDevice->Configure(static_cast<int>(nBaud)); // a setting that does not take goes unnoticed
    m_hPort = std::move(pDevice);
}

int CSerialPort::Read(char* pBuffer, int nMax) {
    return m_hPort ? m_hPort->Read(pBuffer, nMax) : 0;
}

int CSerialPort::TickBudget() const {
    return m_hPort && m_hPort->DrainsEachTick() ? CSerialDevice::kDrainPerTick : 0;
}

void CSerialPort::SetSettlePause(int nMilliseconds) {
    g_nSettleMs = nMilliseconds;
}

bool CSerialPort::Close() {
    const bool bWasOpen = m_hPort != nullptr;
    m_hPort.reset();
    m_strSource.clear();
    Sleep(g_nSettleMs);
    return bWasOpen;
}

void CSerialPort::OpenPlaybackFile(const QString& strPath, int nPace, CPacedReplay::Clock clock) {
    m_strSource = strPath;
    auto pFile = std::make_unique<CFileDevice>();
    if (!pFile->OpenRead(strPath)) {
        MessageBox(QStringLiteral("File Error!"), MB_OK);
        return;
    }
    m_hPort = std::make_unique<CPacedReplay>(std::move(pFile), nPace, std::move(clock));
}
