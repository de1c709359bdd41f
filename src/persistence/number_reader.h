#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

class QIODevice;

// One field of the position file as it was written, with the line it starts on. A field longer
// than any number anyone writes is cut at its first 64 characters and marked cut; it is never
// a number.
struct Field {
    QByteArray text;
    qint64 line = 1;
    bool cut = false;
};

// Reads the position file's numbers one after another, paying no attention to lines: before a
// field it skips spaces, tabs, CRs and LFs; a field ends at a space, a comma, a CR or an LF.
// The device is read in small chunks as the fields are asked for, never slurped whole, and never
// beyond byteLimit bytes: past them the reader stops as if the file had ended there. Lines are
// counted the same whether they end in CR LF, LF or CR alone; with the limit the count stays
// far below any overflow.
class NumberReader {
public:
    NumberReader(QIODevice& device, qint64 byteLimit) : m_device(device), m_byteLimit(byteLimit) {}

    // The next field, or nothing when the file (or the part of it within the limit) has ended.
    // A cut field is returned as soon as its 65th character is seen; the rest of it stays unread.
    std::optional<Field> next();
    // The line the reader has reached.
    qint64 line() const { return m_line; }
    // Whether the file goes on beyond byteLimit bytes where the reader has reached.
    bool pastLimit() const { return m_pastLimit; }

private:
    int peek();
    void advance();

    QIODevice& m_device;
    const qint64 m_byteLimit;
    qint64 m_bytesRead = 0;
    bool m_pastLimit = false;
    QByteArray m_chunk;
    qsizetype m_offset = 0;
    qint64 m_line = 1;
    char m_previous = 0;
};

// The value of a field written as a decimal number (sign, digits, an optional fraction and
// exponent); nothing for anything else, infinities and NaN included.
std::optional<double> parseNumber(const QByteArray& text);
