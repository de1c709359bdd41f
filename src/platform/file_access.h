#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>

// Opens path for reading only if it is a regular file. A directory, a named pipe or a device is
// refused without ever blocking on it. Throws PositionFileError with a plain reason.
std::unique_ptr<QFile> openRegularFileForReading(const QString& path);

// Replaces the file at path with bytes only once they are completely written, creating its
// folder when missing; on failure the previous file stays exactly as it was. Throws
// PositionFileError with a plain reason.
void writeFileAtomically(const QString& path, const QByteArray& bytes);
