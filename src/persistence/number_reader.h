#pragma once

#include <QByteArray>
#include <optional>

class QIODevice;

// One field of the position file as it was written, with the line it starts on. Only the start
// of an overlong field is kept; such a field is marked cut and is never a number.
struct Field {
    QByteArray text;
    int line = 1;
    bool cut = false;
};

// Reads the position file's numbers one after another, paying no attention to lines: before a
// field it skips spaces, tabs, CRs and LFs; a field ends at a space, a comma, a CR or an LF.
// The device is read in small chunks as the fields are asked for, never slurped whole.
class NumberReader {
public:
    explicit NumberReader(QIODevice& device) : m_device(device) {}

    // The next field, or nothing when the file has ended.
    std::optional<Field> next();
    // The line the reader has reached.
    int line() const { return m_line; }

private:
    int peek();
    void advance();

    QIODevice& m_device;
    QByteArray m_chunk;
    qsizetype m_offset = 0;
    int m_line = 1;
};

// The value of a field written as a decimal number (sign, digits, an optional fraction and
// exponent); nothing for anything else, infinities and NaN included.
std::optional<double> parseNumber(const QByteArray& text);
