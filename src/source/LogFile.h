// SPDX-License-Identifier: MIT
// The recording on disk: the received stream byte for byte. A disk that fills up must not
// cost a single recorded byte nor leave garbage in the file: bytes that cannot be written are
// kept (up to a bound) and written first once writing works again. Only when the bound is
// reached does the recording stop, cut back to the last chunk that reached the file whole, so
// the file is always an exact prefix of the stream ending at a chunk boundary.
#pragma once

#include "nmea/NmeaMessages.h"
#include "platform/FileDevice.h"

#include <QString>

#include <deque>
#include <vector>

class CLogFile : public INmeaLogFile {
public:
    static constexpr size_t kMaxPending = 1 << 20; // 1 MiB: about 20 minutes of a receiver

    CLogFile() = default;
    // Stops the recording: what is still kept is written if the disk allows, otherwise the
    // file is cut back to its last whole chunk.
    ~CLogFile() override;

    // Creates strPath, replacing any file of that name.
    bool Create(const QString& strPath);
    // Stores the chunk, after anything kept from earlier. Counts a chunk once all of it is in
    // the file. The first failure after a success tells the user (once, not per tick).
    Result Write(const uint8_t* pBytes, uint32_t nCount) override;

    const QString& Path() const { return m_File.Path(); }
    size_t PendingBytes() const { return m_Pending.size(); }

private:
    // Writes what is kept; true when nothing is left.
    bool FlushPending();
    // Moves the boundary over every kept chunk whose last byte is now in the file.
    void AdvanceBoundary();

    CFileDevice m_File;
    qint64 m_nReceived = 0;           // stream bytes handed to Write
    qint64 m_nWritten = 0;            // of those, bytes in the file
    qint64 m_nBoundary = 0;           // end of the last chunk that is in the file whole
    std::vector<char> m_Pending;      // bytes m_nWritten .. m_nReceived, not yet written
    std::deque<qint64> m_PendingEnds; // stream offsets where the kept chunks end
    bool m_bFailing = false;          // the user has been told, writing has not recovered
};
