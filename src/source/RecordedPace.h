// SPDX-License-Identifier: MIT
// Replaying a recording at the pace it was recorded: the times in its sentences (GGA, RMC,
// ZDA, GNS, GLL) say when each stretch of bytes came from the receiver, and a stretch is let
// through once that much time (times the speed) has passed since the replay started. So a
// 10 Hz receiver's recording plays at 10 fixes a second and an old 1 Hz one at one a second,
// whatever their byte rates. Time going backwards (midnight, a recording made of two) or
// leaping ahead by more than kMaxWaitSeconds (a receiver switched off for a while) is not
// waited for: the pace starts afresh there. Bytes in no sentence with a time go with the
// stretch they are in. Standard library only, fixed buffers, the clock is the caller's.
#pragma once

#include <cstdint>

class CRecordedPace {
public:
    static constexpr int kBufferBytes = 64 * 1024;
    static constexpr double kMaxWaitSeconds = 5.0;

    // Room for the recording's next bytes.
    int Room() const { return kBufferBytes - (m_nEnd - m_nBegin); }
    // The recording's next bytes, at most Room().
    void Append(const char* pBytes, int nCount);
    // Up to nMax bytes that are due at dNow (seconds on the caller's clock, which must not go
    // backwards); with bEnd the recording has no more bytes, and what is left is due as its
    // times come.
    int Take(char* pBuffer, int nMax, double dNow, bool bEnd);
    // Up to nMax of the bytes held, due or not (the replay leaves the recorded pace).
    int TakeHeld(char* pBuffer, int nMax);
    // The next time found is a new start, as after a gap: the replay comes back to the
    // recorded pace from another one.
    void Restart() { m_bAnchored = false; }
    // Holding the replay: its clock stops until Resume.
    void Pause(double dNow);
    void Resume(double dNow);
    bool Paused() const { return m_bPaused; }
    // Times faster than recorded (1, 2, 4, 8, ...); takes effect from dNow on.
    void SetSpeed(double dSpeed, double dNow);
    double Speed() const { return m_dSpeed; }
    // Bytes held that are not yet due.
    int Held() const { return m_nEnd - m_nBegin; }

private:
    // Moves m_nDue over the lines whose time has come.
    void Release(double dNow, bool bEnd);
    double StreamTime(double dNow) const;
    void Compact();
    int TakeUpTo(int nLimit, char* pBuffer, int nMax);

    char m_Buffer[kBufferBytes];
    int m_nBegin = 0; // first byte not taken yet
    int m_nDue = 0;   // bytes before this are due
    int m_nEnd = 0;   // bytes held end here
    bool m_bAnchored = false;
    double m_dAnchorTime = 0; // recording time (seconds of the day) at the anchor
    double m_dAnchorNow = 0;  // the caller's clock at the anchor
    double m_dLastTime = 0;   // the latest recording time let through
    double m_dSpeed = 1;
    bool m_bPaused = false;
    double m_dPausedAt = 0;
};
