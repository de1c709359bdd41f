#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Position files for the tests, the benchmarks and the fuzzer, written and read as plain bytes.

// Writes bytes as the whole file at path; false if it cannot.
bool writeBytes(const QString& path, const QByteArray& bytes);

// The whole file at path, or "<unreadable>".
QByteArray bytesOf(const QString& path);

// The starting position at a square side and piece radius, line by line as Save writes it: the
// header, eight lines of empty trays, then one line per piece, rows 0, 1, 2 red and 5, 6, 7 blue
// on the squares whose column plus row is even.
QList<QByteArray> startingPositionLines(int side, int radius);
