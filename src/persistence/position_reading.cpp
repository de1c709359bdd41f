#include "persistence/position_file.h"

#include <QRegularExpression>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "board/size_limits.h"
#include "board/tray_grid.h"
#include "platform/int16.h"

namespace {
// One field at a time: the blanks before it, the field, and the delimiter that goes with it.
const QRegularExpression field("[ \t\n]*+(?!\\z)([^ \t\n,]*)(?:[ \t]+,?|[,\n])?");

// Where the numbers lie in the file: the header's three, twelve per tray, then three per piece.
constexpr std::size_t headerNumbers = 3;
constexpr std::size_t trayNumbers = TrayGrid::cells.size();
constexpr std::size_t firstPieceNumber = headerNumbers + 2 * trayNumbers;

// What the number at index in the file is, for a message.
std::string nameOf(std::size_t index) {
    if (index < headerNumbers) {
        return std::array{"the square size", "the whole-pixel square size",
                          "the piece radius"}[index];
    }
    if (index < firstPieceNumber) {
        const std::size_t inTrays = index - headerNumbers;
        const TrayCell cell = TrayGrid::cells[inTrays % trayNumbers];
        return std::string("the mark of ") + (inTrays < trayNumbers ? "red" : "blue") +
               " tray cell (" + std::to_string(cell.row) + ", " + std::to_string(cell.column) + ")";
    }
    const std::size_t inPieces = index - firstPieceNumber;
    return std::string(std::array{"the x", "the y", "the side"}[inPieces % 3]) + " of piece " +
           std::to_string(inPieces / 3 + 1);
}

// A field as written, every byte outside printable ASCII as \x and two digits, cut at 24.
std::string quoted(const QByteArray& written) {
    QByteArray shown;
    for (const char c : written.left(24)) {
        shown += c >= 0x20 && c < 0x7f
                     ? QByteArray(1, c)
                     : "\\x" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
    }
    return '\'' + shown.toStdString() + (written.size() > 24 ? "...'" : "'");
}

// The square sizes can be too large only together, so this problem names both.
const std::string tooLargeTogether = "are too large to draw the board";

// Why the number at index cannot be used, or "" when it can; earlier are the numbers before it.
std::string problemWith(std::size_t index, double value, const std::vector<double>& earlier) {
    if (index == 0) {
        return !(value > 0)                           ? "is not a positive number"
               : std::isinf(value)                    ? "is too large to draw the board"
               : !squaresLargeEnoughToDivideBy(value) ? "is too small to play on"
                                                      : "";
    }
    if (!fitsInt16(value)) {
        return "is outside the range -32768 to 32767";
    }
    if (index == 1 && toInt16(value) <= 0) {
        return "is not a positive number";
    }
    if (index == 1 && !sizesFitSixteenBits(earlier[0], toInt16(value))) {
        return tooLargeTogether;
    }
    return index == 2 && toInt16(value) < 0 ? "is negative" : "";
}
}  // namespace

std::vector<double> readPositionNumbers(const QByteArray& bytes, int pieceCount,
                                        const std::string& failure) {
    const QString text =
        QString::fromLatin1(bytes.startsWith("\xef\xbb\xbf") ? bytes.mid(3) : bytes)
            .replace("\r\n", "\n")
            .replace('\r', '\n');
    QRegularExpressionMatchIterator fields = field.globalMatch(text);
    std::vector<double> numbers;
    QByteArray squareSize;
    while (numbers.size() < firstPieceNumber + 3 * std::size_t(pieceCount)) {
        const std::string name = nameOf(numbers.size());
        if (!fields.hasNext()) {
            throw PositionFileError(failure, "line " + std::to_string(text.count('\n') + 1) +
                                                 ": the file ends before " + name);
        }
        const QRegularExpressionMatch next = fields.next();
        const QByteArray written = next.captured(1).toLatin1();
        const std::optional<double> value = parseNumber(written);
        const std::string problem =
            value ? problemWith(numbers.size(), *value, numbers) : "is not a number";
        if (!problem.empty()) {
            const qsizetype line = QStringView(text).first(next.capturedStart(1)).count('\n') + 1;
            const std::string what =
                problem == tooLargeTogether
                    ? "the square sizes " + quoted(squareSize) + " and " + quoted(written)
                    : name + " " + quoted(written);
            throw PositionFileError(failure,
                                    "line " + std::to_string(line) + ": " + what + " " + problem);
        }
        squareSize = numbers.empty() ? written : squareSize;
        numbers.push_back(*value);
    }
    return numbers;
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
