// The one handle slot of the data source: an open serial device or an open replay file. The
// poll loop reads both the same way, taking whatever has arrived without waiting.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// A file as the system knows it, whatever name reached it (a link, a relative path, a FIFO's
// name, standard input): its device and inode.
struct FileIdentity {
    uint64_t nDevice = 0;
    uint64_t nInode = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The file strPath names, symbolic links followed; none when there is nothing there.
std::optional<FileIdentity> IdentityOfPath(const QString& strPath);

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
    // The open file, for a source that is a file (a replay); none for a port.
    virtual std::optional<FileIdentity> Identity() const { return std::nullopt; }
};

// Blocks the calling thread for nMilliseconds; after closing a serial device this lets the
// port driver settle before the next open.
void Sleep(int nMilliseconds);
