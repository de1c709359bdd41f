#include "persistence/saved_position.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <limits>

#include "board/size_limits.h"
#include "platform/int16.h"

namespace {
// One field at a time: the blanks before it, the field, and the delimiter that goes with it.
const QRegularExpression field("[ \t\n]*+(?!\\z)([^ \t\n,]*)(?:[ \t]+,?|[,\n])?");

// Reads fields in order and names the first one that is wrong.
class FieldReader {
public:
    FieldReader(const QByteArray& bytes, const std::string& failure)
        : m_text(QString::fromLatin1(bytes).replace("\r\n", "\n").replace('\r', '\n')),
          m_fields(field.globalMatch(m_text)),
          m_failure(failure) {}

    double number(const std::string& name) {
        m_name = name;
        if (!m_fields.hasNext()) {
            fail(int(m_text.count('\n')) + 1, "the file ends before " + name);
        }
        const QRegularExpressionMatch next = m_fields.next();
        m_line += int(QStringView(m_text).sliced(m_end, next.capturedStart(1) - m_end).count('\n'));
        m_end = next.capturedEnd(1);
        m_last = next.captured(1).toLatin1();
        const std::optional<double> value = parseNumber(m_last);
        if (!value) {
            complain("is not a number");
        }
        return *value;
    }

    std::int16_t int16(const std::string& name) {
        const double value = number(name);
        if (!fitsInt16(value)) {
            complain("is outside the range -32768 to 32767");
        }
        return toInt16(value);
    }

    // The field read last as written, every byte outside printable ASCII as \x and two digits.
    std::string lastText() const {
        QByteArray shown;
        for (const char c : m_last.left(shownLength)) {
            shown += c >= 0x20 && c < 0x7f
                         ? QByteArray(1, c)
                         : "\\x" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
        }
        return '\'' + shown.toStdString() + (m_last.size() > shownLength ? "...'" : "'");
    }

    // Names the field read last.
    [[noreturn]] void complain(const std::string& problem) const {
        failAtLastField(m_name + " " + lastText() + " " + problem);
    }

    [[noreturn]] void failAtLastField(const std::string& problem) const { fail(m_line, problem); }

private:
    static constexpr qsizetype shownLength = 24;

    [[noreturn]] void fail(int line, const std::string& problem) const {
        throw PositionFileError(m_failure, "line " + std::to_string(line) + ": " + problem);
    }

    const QString m_text;
    QRegularExpressionMatchIterator m_fields;
    const std::string& m_failure;
    std::string m_name;
    QByteArray m_last;
    int m_line = 1;
    qsizetype m_end = 0;
};

void readTray(FieldReader& fields, TrayGrid& tray, const std::string& colour) {
    for (const TrayCell cell : TrayGrid::cells) {
        tray(cell) =
            fields.int16("the mark of " + colour + " tray cell (" + std::to_string(cell.row) +
                         ", " + std::to_string(cell.column) + ")");
    }
}
}  // namespace

SavedPosition readSavedPosition(const QByteArray& bytes, int pieceCount,
                                const std::string& failure) {
    FieldReader fields(bytes.startsWith("\xef\xbb\xbf") ? bytes.mid(3) : bytes, failure);
    SavedPosition position;

    position.CellSize = fields.number("the square size");
    if (!(position.CellSize > 0)) {
        fields.complain("is not a positive number");
    }
    if (std::isinf(position.CellSize)) {
        fields.complain("is too large to draw the board");
    }
    if (!squaresLargeEnoughToDivideBy(position.CellSize)) {
        fields.complain("is too small to play on");
    }
    const std::string cellSizeText = fields.lastText();
    position.CellSizeI = fields.int16("the whole-pixel square size");
    if (position.CellSizeI <= 0) {
        fields.complain("is not a positive number");
    }
    if (!sizesFitSixteenBits(position.CellSize, position.CellSizeI)) {
        fields.failAtLastField("the square sizes " + cellSizeText + " and " + fields.lastText() +
                               " are too large to draw the board");
    }
    position.PieceRadius = fields.int16("the piece radius");
    if (position.PieceRadius < 0) {
        fields.complain("is negative");
    }
    readTray(fields, position.Tray1, "red");
    readTray(fields, position.Tray2, "blue");
    for (int piece = 1; piece <= pieceCount; ++piece) {
        const std::string of = " of piece " + std::to_string(piece);
        // Braces read the three in order.
        position.pieces.push_back({fields.int16("the x" + of), fields.int16("the y" + of),
                                   fields.int16("the side" + of)});
    }
    return position;
}

std::optional<double> parseNumber(const QByteArray& text) {
    // The third group is the exponent's sign.
    static const QRegularExpression decimal(QRegularExpression::anchoredPattern(
        "[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE]([+-]?)[0-9]+)?"));
    const QRegularExpressionMatch match = decimal.match(QString::fromLatin1(text));
    // Longer fields are not numbers anyone wrote. The bound also keeps the digits before the
    // exponent within the range of reals, so that only the exponent can take a number out of it.
    if (text.size() > 64 || !match.hasMatch()) {
        return std::nullopt;
    }
    // from_chars takes no plus sign before the digits.
    const char* const first = text.startsWith('+') ? text.begin() + 1 : text.begin();
    double value = 0;
    if (std::from_chars(first, text.end(), value).ec == std::errc::result_out_of_range) {
        value = match.captured(3) == "-" ? std::numeric_limits<double>::denorm_min()
                                         : std::numeric_limits<double>::infinity();
        value = text.startsWith('-') ? -value : value;
    }
    return value;
}
