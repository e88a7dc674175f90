// SPDX-License-Identifier: MIT
// The one handle slot of the data source: an open serial device, a replay, or a receiver on the
// network. The poll loop reads them all the same way, taking whatever has arrived without
// waiting, and the status bar names each from what it tells of itself.
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

// What a source tells the status bar of itself.
struct SourceStatus {
    enum class Kind { None, Serial, Replay, Gpsd, Tcp, Udp };
    enum class State {
        Open,       // reading (or ready to)
        Connecting, // the first connection is on its way
        Away,       // the connection was lost or refused; it is tried again
        Searching,  // a serial port looks for its receiver's bit rate
        Paused,     // a replay the user holds
        Ended,      // a replay has given out all of its file
    };
    Kind kind = Kind::None;
    QString strWhere;     // device or file path; host of gpsd and TCP
    uint32_t nNumber = 0; // bit rate of a port (the one tried while searching); network port
    int nPercent = -1;    // how much of a replayed file has been read; -1 when not a file
    State state = State::Open;
    QString strProblem; // while away: why, in the system's words

    friend bool operator==(const SourceStatus&, const SourceStatus&) = default;
};

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
    // Whether the user holds the source (a paused replay): its silence is not the source's.
    virtual bool Held() const { return false; }
    virtual SourceStatus Status() const = 0;
};

// Blocks the calling thread for nMilliseconds; after closing a serial device this lets the
// port driver settle before the next open.
void Sleep(int nMilliseconds);
