// SPDX-License-Identifier: MIT
// Notifications the decoder posts, and the two seams through which it reaches the outside:
// the window system (posting) and the recording file. The core knows nothing of either.
#pragma once

#include <cstdint>

// Window-message identifiers in the application range; posted with both parameters 0.
enum : unsigned {
    WM_GPS_SENTENCE = 0x1400, // broadcast after every dispatched sentence
    WM_GPS_GGA = 0x1401,
    WM_GPS_GSV = 0x1402, // last message of a group only
    WM_GPS_GSA = 0x1403,
    WM_GPS_RMB = 0x1404,
    WM_GPS_RMC = 0x1405,
    WM_GPS_ZDA = 0x1406,
};

// Where the decoders' notifications go. Both calls must only queue the message: they run in
// the middle of a feed, and the record may be read only after the feed returns.
class INmeaNotify {
public:
    virtual ~INmeaNotify() = default;
    virtual void PostToMain(unsigned nMessage) = 0; // to the main window
    virtual void Broadcast(unsigned nMessage) = 0;  // to every top-level window
};

// The open recording. A write that cannot store everything keeps what it could not and
// stores it first next time, so the file stays an exact copy of the stream; telling the user
// about a failure is the file's own business.
class INmeaLogFile {
public:
    struct Result {
        uint32_t nStored;    // bytes that reached the file in this call, earlier ones included
        bool bKeepRecording; // false: the recording cannot go on and is to be closed
    };
    virtual ~INmeaLogFile() = default;
    virtual Result Write(const uint8_t* pBytes, uint32_t nCount) = 0;
};
