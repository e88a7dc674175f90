// SPDX-License-Identifier: MIT
// A recording replayed as the source, at one of two paces. The fixed pace is one read of at
// most 255 bytes a poll tick, about 850 bytes a second, whatever the recording (the pace a
// replay has always had, and the default). At the recorded pace (see RecordedPace.h), times
// 1, 2, 4 or 8, the replay is drained each tick: what is due by now comes out, the rest waits
// in a bounded buffer. The pace can be changed and the replay held while it plays.
#pragma once

#include "platform/FileDevice.h"
#include "source/RecordedPace.h"

#include <functional>
#include <memory>

class CPacedReplay : public CDeviceHandle {
public:
    // The fixed pace; any other pace is that many times the recorded one.
    static constexpr int kFixedPace = 0;
    // Seconds on a clock that never goes backwards; tests turn their own.
    using Clock = std::function<double()>;
    static Clock SteadyClock();

    CPacedReplay(std::unique_ptr<CFileDevice> pFile, int nPace, Clock clock = SteadyClock());

    int Read(char* pBuffer, int nMax) override;
    void Close() override { m_pFile->Close(); }
    bool DrainsEachTick() const override { return m_nPace != kFixedPace; }
    // The file it replays, so that it is never recorded onto.
    std::optional<FileIdentity> Identity() const override { return m_pFile->Identity(); }
    // How much of the file has come out; paused, or ended once all of it has.
    SourceStatus Status() const override;

    // Holding the replay: nothing comes out, and the recorded pace's clock stops.
    void SetPaused(bool bPaused);
    bool Paused() const { return m_bPaused; }
    bool Held() const override { return m_bPaused; }
    // Takes effect at once; what was read ahead comes out first, at the new pace.
    void SetPace(int nPace);
    int Pace() const { return m_nPace; }
    // The whole recording has been let through (a FIFO or pipe never ends by itself).
    bool Ended() const;
    const CFileDevice& File() const { return *m_pFile; }

private:
    std::unique_ptr<CFileDevice> m_pFile;
    Clock m_Clock;
    CRecordedPace m_Pace;
    int m_nPace = kFixedPace;
    bool m_bPaused = false;
    bool m_bRegularFile;
    bool m_bFileEnded = false;
    char m_Block[4096];
};
