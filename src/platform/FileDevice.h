// SPDX-License-Identifier: MIT
// Files of the recording and the replay. A write either stores every byte or reports a file
// error: a recording must never silently lose part of the stream. The error is a value the
// caller passes on for the user to see (ReportFileError / PostFileError), never an exception
// crossing Qt's event handling.
#pragma once

#include "platform/DeviceHandle.h"

#include <QFile>
#include <QString>

class CFileError {
public:
    enum class Cause { None, DiskFull, Generic };

    CFileError() = default;
    CFileError(Cause cause, const QString& strPath) : m_Cause(cause), m_strPath(strPath) {}

    Cause GetCause() const { return m_Cause; }
    const QString& Path() const { return m_strPath; }
    // What the user reads, naming the file: "Disk full while accessing /path."
    QString Text() const;

private:
    Cause m_Cause = Cause::None;
    QString m_strPath;
};

class CFileDevice : public CDeviceHandle {
public:
    ~CFileDevice() override { Close(); }

    // Creates strPath for reading and writing, replacing any file of that name.
    bool Create(const QString& strPath);
    // Opens the existing file strPath for reading only, without waiting: a FIFO opens at once
    // whether or not a writer is there, and a terminal without waiting for its carrier. A
    // folder is not a file to read.
    bool OpenRead(const QString& strPath);
    bool IsOpen() const { return m_File.isOpen(); }
    const QString& Path() const { return m_strPath; }

    // What has arrived: the next bytes of a file, what a FIFO, pipe or terminal holds now.
    int Read(char* pBuffer, int nMax) override;
    // One read a tick, a FIFO or a pipe too: a live source named as a replay keeps the
    // replay's pace.
    bool DrainsEachTick() const override { return false; }
    std::optional<FileIdentity> Identity() const override;
    // A replay of the file, and how far it has been read.
    SourceStatus Status() const override;
    // Whether it is a plain file (with a size and an end), not a FIFO, pipe or terminal.
    bool IsRegular() const;
    // Where the next read starts and the file's size; -1 for anything but a plain file.
    qint64 Offset() const;
    qint64 Size() const;
    // Writes all nCount bytes at once. False when the write failed or stored fewer bytes (a
    // short write counts as a full disk); LastError() then says why.
    bool Write(const char* pData, int nCount);
    // The same, but returns how many bytes were stored: all of them, or on a failed or short
    // write (LastError() then says why) the part that reached the file.
    int WriteSome(const char* pData, int nCount);
    // Cuts the file to its first nSize bytes.
    bool Truncate(qint64 nSize);
    const CFileError& LastError() const { return m_LastError; }
    void Close() override;

private:
    QFile m_File;
    QString m_strPath;
    CFileError m_LastError;
};

// Shows error in a message box now.
void ReportFileError(const CFileError& error);
// Shows error after the current handler has returned, as a failed write inside a timer tick
// must be reported outside it. While one such box is open, further errors are not shown: a
// full disk fails every following write, and the user needs telling once.
void PostFileError(const CFileError& error);
// Shows strText (a message box of type nType) after the current handler has returned, and
// after any file error or notice box that is open then has been closed: the user who left
// the disk-full box open finds the next news of the same file under it, not piled on top.
void PostFileNotice(const QString& strText, unsigned nType);
