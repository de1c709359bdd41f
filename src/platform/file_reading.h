#pragma once

#include <QByteArray>
#include <QFile>
#include <memory>
#include <string>

// A position file is under 1 KiB. A file larger than this is refused unread, and the reader
// never goes beyond it either, so any file is answered at once whatever its size.
inline constexpr qint64 largestPositionFile = 64 * 1024;
inline constexpr char tooLargeForAPositionFile[] = "it is too large to be a position file";

// Opens path (the bytes the system names the file by) for reading only if it is a regular file
// of at most largestPositionFile bytes. A folder, a named pipe or a device is refused without
// ever blocking on it. A failure throws PositionFileError: failure (what could not be done,
// naming the file), then a plain reason.
std::unique_ptr<QFile> openPositionFileForReading(const QByteArray& path,
                                                  const std::string& failure);
