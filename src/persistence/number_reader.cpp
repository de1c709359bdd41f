#include "persistence/number_reader.h"

#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <limits>
#include <string_view>

namespace {
// The third group is the exponent's sign.
const QRegularExpression decimalNumber(
    QRegularExpression::anchoredPattern("[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE]([+-]?)[0-9]+)?"));
// Longer fields are not numbers anyone wrote. The bound also keeps the digits before the
// exponent within the range of reals, so that only the exponent can take a number out of it.
constexpr qsizetype longestNumber = 64;
}  // namespace

Fields splitFields(const QByteArray& bytes) {
    const std::string_view text(bytes.constData(), bytes.size());
    Fields split;
    std::size_t offset = 0;
    // Moves past at most most bytes of those in set, counting lines; says how many it passed.
    const auto skip = [&](std::string_view set, std::size_t most) {
        std::size_t count = 0;
        for (; count < most && offset < text.size() && set.find(text[offset]) != set.npos;
             ++count) {
            // CR LF is one line end, and so is a CR or an LF alone.
            split.lastLine += text[offset] == '\r' ||
                              (text[offset] == '\n' && (offset == 0 || text[offset - 1] != '\r'));
            ++offset;
        }
        return count;
    };
    const auto fieldAhead = [&] {
        skip(" \t\r\n", text.size());
        return offset < text.size();
    };
    while (fieldAhead()) {
        const std::size_t end = std::min(text.find_first_of(" \t\r\n,", offset), text.size());
        split.fields.push_back({bytes.mid(offset, end - offset), split.lastLine});
        offset = end;
        // The delimiter goes with the field: a comma, a CR or an LF, or spaces and a comma after.
        skip(skip(" \t", text.size()) == 0 ? ",\r\n" : ",", 1);
    }
    return split;
}

std::optional<double> parseNumber(const QByteArray& text) {
    const QRegularExpressionMatch match = decimalNumber.match(QString::fromLatin1(text));
    if (text.size() > longestNumber || !match.hasMatch()) {
        return std::nullopt;
    }
    // from_chars takes no plus sign before the digits.
    const char* const first = text.startsWith('+') ? text.begin() + 1 : text.begin();
    double value = 0;
    if (std::from_chars(first, text.end(), value).ec == std::errc::result_out_of_range) {
        value = match.captured(3) == "-" ? 0.0 : std::numeric_limits<double>::infinity();
        value = text.startsWith('-') ? -value : value;
    }
    return value;
}
