#include "persistence/number_reader.h"

#include <QIODevice>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {
constexpr qint64 chunkSize = 4096;
// Longer fields are not numbers anyone wrote.
constexpr qsizetype longestField = 64;

bool isBlank(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool endsField(int c) {
    return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
}  // namespace

int NumberReader::peek() {
    if (m_offset == m_chunk.size()) {
        if (m_pastLimit) {
            return -1;
        }
        // One byte beyond the limit is asked for only to learn whether the file goes on.
        m_chunk = m_device.read(std::min(chunkSize, m_byteLimit + 1 - m_bytesRead));
        m_bytesRead += m_chunk.size();
        if (m_bytesRead > m_byteLimit) {
            m_chunk.chop(1);
            m_pastLimit = true;
        }
        m_offset = 0;
        if (m_chunk.isEmpty()) {
            return -1;
        }
    }
    return static_cast<unsigned char>(m_chunk[m_offset]);
}

void NumberReader::advance() {
    const char c = m_chunk[m_offset++];
    // CR LF is one line end, and so is a CR or an LF alone.
    if (c == '\r' || (c == '\n' && m_previous != '\r')) {
        ++m_line;
    }
    m_previous = c;
}

std::optional<Field> NumberReader::next() {
    while (isBlank(peek())) {
        advance();
    }
    if (peek() < 0) {
        return std::nullopt;
    }
    Field field{{}, m_line};
    for (int c = peek(); c >= 0 && !endsField(c); c = peek()) {
        if (field.text.size() == longestField) {
            field.cut = true;
            return field;
        }
        field.text.append(static_cast<char>(c));
        advance();
    }
    if (peek() < 0) {
        return field;
    }
    const bool spaceEnded = peek() == ' ' || peek() == '\t';
    advance();
    // "1 , 2": a comma after the spaces that end a field belongs to the same delimiter.
    if (spaceEnded) {
        while (peek() == ' ' || peek() == '\t') {
            advance();
        }
        if (peek() == ',') {
            advance();
        }
    }
    return field;
}

std::optional<double> parseNumber(const QByteArray& text) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const char* begin = text.constData();
    const char* const end = begin + text.size();
    const char* cursor = begin;
    if (cursor != end && (*cursor == '+' || *cursor == '-')) {
        ++cursor;
    }
    const char* const unsignedStart = *begin == '+' ? begin + 1 : begin;
    int digits = 0;
    for (; cursor != end && isDigit(*cursor); ++cursor) {
        ++digits;
    }
    if (cursor != end && *cursor == '.') {
        for (++cursor; cursor != end && isDigit(*cursor); ++cursor) {
            ++digits;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (cursor != end && (*cursor == 'e' || *cursor == 'E')) {
        ++cursor;
        if (cursor != end && (*cursor == '+' || *cursor == '-')) {
            ++cursor;
        }
        int exponentDigits = 0;
        for (; cursor != end && isDigit(*cursor); ++cursor) {
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    if (cursor != end) {
        return std::nullopt;
    }
    double value = 0;
    const auto parsed = std::from_chars(unsignedStart, end, value);
    if (parsed.ec == std::errc::result_out_of_range) {
        // Still a number: too large becomes infinite (and is refused as out of range by the
        // caller), too small becomes zero.
        return std::strtod(unsignedStart, nullptr);
    }
    if (parsed.ec != std::errc() || parsed.ptr != end) {
        return std::nullopt;
    }
    return value;
}
