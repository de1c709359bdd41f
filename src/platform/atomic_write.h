#pragma once

#include <QByteArray>
#include <string>

// Replaces the file at path (the bytes the system names it by, so that a name that is not UTF-8
// reaches the file system unchanged) with bytes only once they are completely written and on
// disk, creating the file and its folder when missing. Only a regular file is replaced; when
// path is a link to one, that file is replaced and the link kept. Anything else at the path or
// behind its link is refused, and on any failure everything on disk stays as it was. A save
// that was interrupted may have left its temporary file beside path (path.XXXXXX, six letters);
// a successful one removes every such file. A failure throws PositionFileError: failure (what
// could not be done, naming the file), then a plain reason.
void writeFileAtomically(const QByteArray& path, const QByteArray& bytes,
                         const std::string& failure);
