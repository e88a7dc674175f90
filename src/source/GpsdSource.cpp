// SPDX-License-Identifier: MIT
#include "source/GpsdSource.h"

namespace {

const QByteArray kWatchRaw = QByteArrayLiteral("?WATCH={\"enable\":true,\"raw\":1}\n");
const QByteArray kWatchNmea =
    QByteArrayLiteral("?WATCH={\"enable\":true,\"raw\":0,\"nmea\":true}\n");

} // namespace

CGpsdSource::CGpsdSource(const QString& strHost, quint16 nPort) : m_Link(strHost, nPort) {
    m_Link.SetOnConnected([this] {
        // A new connection starts with whole lines and asks again for what it needs.
        m_Filter.Clear();
        m_Link.Send(m_bGpsdNmea ? kWatchNmea : kWatchRaw);
    });
}

int CGpsdSource::Read(char* pBuffer, int nMax) {
    for (;;) {
        if (const int n = m_Filter.Take(pBuffer, nMax))
            return n;
        const int nRead = m_Link.Read(m_Input, sizeof m_Input);
        if (nRead <= 0)
            return 0;
        m_Filter.Push(m_Input, nRead);
        if (m_Filter.SawBinary() && !m_bGpsdNmea) {
            m_bGpsdNmea = true;
            m_Link.Send(kWatchNmea);
        }
    }
}

SourceStatus CGpsdSource::Status() const {
    SourceStatus status = m_Link.Status();
    status.kind = SourceStatus::Kind::Gpsd;
    return status;
}
