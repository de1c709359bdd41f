#include "persistence/visible_text.h"

#include <QChar>
#include <QString>
#include <QStringDecoder>

namespace {
// A backslash, the letter and the value in as many hex digits.
std::string hexEscape(char letter, char32_t value, int digits) {
    static constexpr char hexDigits[] = "0123456789abcdef";
    std::string shown{'\\', letter};
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        shown += hexDigits[(value >> shift) & 0xf];
    }
    return shown;
}

// A byte or an ASCII character: itself if it is printable ASCII, else \x and two hex digits.
std::string escapedByte(unsigned char byte) {
    return byte >= 0x20 && byte < 0x7f ? std::string(1, static_cast<char>(byte))
                                       : hexEscape('x', byte, 2);
}

std::string escapedBytes(const QByteArray& bytes) {
    std::string shown;
    for (const char c : bytes) {
        shown += escapedByte(static_cast<unsigned char>(c));
    }
    return shown;
}

bool changesTheTextAround(char32_t c) {
    switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return true;
        default:
            return false;
    }
}
}  // namespace

std::string visibleField(const QByteArray& field) {
    return escapedBytes(field);
}

std::string visiblePath(const QByteArray& path) {
    // A byte order mark at the start is part of the name, not a hint to the decoder.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString decoded = utf8.decode(path);
    if (utf8.hasError()) {
        return escapedBytes(path);
    }
    std::string shown;
    for (const char32_t c : decoded.toStdU32String()) {
        if (c < 0x80) {
            shown += escapedByte(static_cast<unsigned char>(c));
        } else if (changesTheTextAround(c)) {
            shown += c <= 0xffff ? hexEscape('u', c, 4) : hexEscape('U', c, 8);
        } else {
            shown += QString::fromUcs4(&c, 1).toStdString();
        }
    }
    return shown;
}
