// The one handle slot of the data source: an open serial device or an open replay file. The
// poll loop reads both the same way, taking whatever has arrived without waiting.
#pragma once

class CDeviceHandle {
public:
    virtual ~CDeviceHandle() = default;

    // Copies up to nMax bytes that can be had now into pBuffer and returns their number;
    // 0 when nothing is waiting or the device failed. Never waits; allocates nothing of its
    // own, since it runs on every poll tick.
    virtual int Read(char* pBuffer, int nMax) = 0;
    virtual void Close() = 0;
    // Whether a poll tick takes everything the device holds (a receiver on a port: what is
    // left behind piles up in the driver until it is lost) or one read's worth (a recording,
    // which keeps its pace).
    virtual bool DrainsEachTick() const = 0;
};

// Blocks the calling thread for nMilliseconds; after closing a serial device this lets the
// port driver settle before the next open.
void Sleep(int nMilliseconds);
