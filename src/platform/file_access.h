#pragma once

#include <QByteArray>
#include <QFile>
#include <memory>
#include <string>

// Paths are the bytes the system names a file by, so that a name that is not UTF-8 reaches the
// file system unchanged. Every failure throws PositionFileError: failure (what could not be
// done, naming the file), then a plain reason.

// A position file is under 1 KiB. A file larger than this is refused unread, and the reader
// never goes beyond it either, so any file is answered at once whatever its size.
inline constexpr qint64 largestPositionFile = 64 * 1024;
inline constexpr char tooLargeForAPositionFile[] = "it is too large to be a position file";

// Opens path for reading only if it is a regular file of at most largestPositionFile bytes. A
// folder, a named pipe or a device is refused without ever blocking on it.
std::unique_ptr<QFile> openPositionFileForReading(const QByteArray& path,
                                                  const std::string& failure);

// Replaces the file at path with bytes only once they are completely written and on disk,
// creating the file and its folder when missing. Only a regular file is replaced; when path is
// a link to one, that file is replaced and the link kept. Anything else at the path or behind
// its link is refused, and on any failure everything on disk stays as it was. A save that was
// interrupted may have left its temporary file beside path (path.XXXXXX, six letters); a
// successful one removes every such file.
void writeFileAtomically(const QByteArray& path, const QByteArray& bytes,
                         const std::string& failure);
