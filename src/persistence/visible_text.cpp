#include "persistence/visible_text.h"

#include <QStringDecoder>

namespace {
std::string escaped(const QByteArray& bytes, bool keepBytesFrom0x80) {
    static constexpr char hexDigits[] = "0123456789abcdef";
    std::string shown;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 0x20 && byte < 0x7f) || (keepBytesFrom0x80 && byte >= 0x80)) {
            shown += c;
        } else {
            shown += {'\\', 'x', hexDigits[byte >> 4], hexDigits[byte & 0xf]};
        }
    }
    return shown;
}
}  // namespace

std::string visibleField(const QByteArray& field) {
    return escaped(field, false);
}

std::string visiblePath(const QByteArray& path) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(path);
    return escaped(path, !utf8.hasError());
}
