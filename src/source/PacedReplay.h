// A recording replayed at the pace it was recorded (see RecordedPace.h), as a source the poll
// loop drains each tick: what is due by now comes out, the rest waits in a bounded buffer.
// The replay can be held and its speed changed while it plays.
#pragma once

#include "platform/FileDevice.h"
#include "source/RecordedPace.h"

#include <functional>
#include <memory>

class CPacedReplay : public CDeviceHandle {
public:
    // Seconds on a clock that never goes backwards; tests turn their own.
    using Clock = std::function<double()>;
    static Clock SteadyClock();

    CPacedReplay(std::unique_ptr<CFileDevice> pFile, double dSpeed, Clock clock = SteadyClock());

    int Read(char* pBuffer, int nMax) override;
    void Close() override { m_pFile->Close(); }
    bool DrainsEachTick() const override { return true; }
    // The file it replays, so that it is never recorded onto.
    std::optional<FileIdentity> Identity() const override { return m_pFile->Identity(); }

    void Pause() { m_Pace.Pause(m_Clock()); }
    void Resume() { m_Pace.Resume(m_Clock()); }
    bool Paused() const { return m_Pace.Paused(); }
    void SetSpeed(double dSpeed) { m_Pace.SetSpeed(dSpeed, m_Clock()); }
    double Speed() const { return m_Pace.Speed(); }
    // The whole recording has been let through (a FIFO or pipe never ends by itself).
    bool Ended() const { return m_bFileEnded && m_Pace.Held() == 0; }
    const CFileDevice& File() const { return *m_pFile; }

private:
    std::unique_ptr<CFileDevice> m_pFile;
    Clock m_Clock;
    CRecordedPace m_Pace;
    bool m_bRegularFile;
    bool m_bFileEnded = false;
    char m_Block[4096];
};
