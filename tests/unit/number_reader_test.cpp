#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "persistence/position_file.h"

namespace {
const double infinity = std::numeric_limits<double>::infinity();
const double tiniest = std::numeric_limits<double>::denorm_min();

// A header of square sizes and radius, empty trays and two pieces, as Save writes them.
QByteArray twoPieceFile(const QByteArray& header) {
    return header + " \r\n" + QByteArray(" 0  0  0 \r\n").repeated(8) +
           " 20  20  1 \r\n 60  60  2 \r\n";
}

// Where numbers read from a two-piece file keep what: the header, then the red and the blue tray
// marks, then x, y and side of each piece.
constexpr std::size_t redTrayCell1_2 = 4, redTrayCell2_1 = 6, pieceRadius = 2, secondPiece = 30;

// Why readPositionNumbers refuses bytes, or "" when it reads them.
std::string refusal(const QByteArray& bytes) {
    try {
        readPositionNumbers(bytes, 2, "Not loaded");
    } catch (const PositionFileError& error) {
        return error.what();
    }
    return "";
}
}  // namespace

TEST(ParseNumber, ReadsDecimalNumbersAndNothingElse) {
    const std::pair<const char*, double> numbers[] = {
        {"40", 40}, {"+5", 5},   {"-3", -3},    {"40.5", 40.5}, {".5", 0.5},
        {"5.", 5},  {"4e1", 40}, {"1E+2", 100}, {"25e-1", 2.5}, {"007", 7},
    };
    for (const auto& [text, value] : numbers) {
        EXPECT_EQ(parseNumber(text), value) << text;
    }
    for (const char* text : {"", "+", "-", ".", "e5", "abc", "4x", "1e", "1e+", "0x10", "nan",
                             "inf", "-infinity", "--1", "+-1", "1.2.3", "4,0", "1e5.5", "\xb2"}) {
        EXPECT_EQ(parseNumber(text), std::nullopt) << text;
    }
    // Longer fields are not numbers anyone wrote.
    EXPECT_EQ(parseNumber(QByteArray(64, '7')), std::stod(std::string(64, '7')));
    EXPECT_EQ(parseNumber(QByteArray(65, '7')), std::nullopt);
}

TEST(ParseNumber, NumbersBeyondTheRangeOfRealsStayNumbers) {
    // Too large becomes infinite, so the caller refuses it as too large rather than as a word.
    const std::pair<const char*, double> numbers[] = {
        {"1e999", infinity},     {"-1e999", -infinity}, {"1.5e400", infinity},
        {"2.5e99999", infinity}, {"1e-999", tiniest},   {"20.5e-400", tiniest},
        {"1.0e-999", tiniest},   {"5e-324", 5e-324},    {"0e-999", 0.0},
    };
    for (const auto& [text, value] : numbers) {
        EXPECT_EQ(parseNumber(text), value) << text;
    }
    // Too small stays as positive or negative as it was written.
    EXPECT_EQ(parseNumber("-1e-999"), -tiniest);
}

TEST(ParseNumber, DecimalCommaLocaleReadsTheSame) {
#ifdef Q_OS_WIN  // Windows has every locale built in, under its own names
    const char* const german = "German_Germany.1252";
#else
    // A locale whose decimal mark is a comma, made for the test: the system may have none.
    QTemporaryDir locales;
    if (QProcess::execute("localedef",
                          {"-i", "de_DE", "-f", "UTF-8", locales.filePath("de_DE.UTF-8")}) != 0) {
        GTEST_SKIP() << "localedef cannot make the de_DE locale here (package locales)";
    }
    const QByteArray oldLocPath = qgetenv("LOCPATH");
    qputenv("LOCPATH", locales.path().toUtf8());
    const char* const german = "de_DE.UTF-8";
#endif
    ASSERT_NE(std::setlocale(LC_ALL, german), nullptr);
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    const std::pair<const char*, std::optional<double>> numbers[] = {
        {"1.5e400", infinity}, {"2.5e99999", infinity}, {"20.5e-400", tiniest},
        {"1.0e-999", tiniest}, {"40.5", 40.5},          {"4,5", std::nullopt},
    };
    for (const auto& [text, value] : numbers) {
        EXPECT_EQ(parseNumber(text), value) << text;
    }
    std::setlocale(LC_ALL, "C");
#ifndef Q_OS_WIN  // set only where the locale was made for the test
    qputenv("LOCPATH", oldLocPath);
#endif
}

TEST(SavedPositionReading, SplitsAtBlanksAndCommasAndCountsLines) {
    // Blanks before a number are skipped; spaces then a comma end one number, two commas in a
    // row leave an empty field between them.
    const std::vector<double> numbers =
        readPositionNumbers(twoPieceFile("  40 \r\n\n 40,15\n0 , 1\t0,1\n"), 2, "Not loaded");
    EXPECT_EQ(numbers[0], 40);
    EXPECT_EQ(numbers[pieceRadius], 15);
    EXPECT_EQ(numbers[redTrayCell1_2], 1);
    EXPECT_EQ(numbers[redTrayCell2_1], 1);
    EXPECT_EQ(refusal("  40 \r\n\n 40,15\n0 , 1\t0,,1"),
              "Not loaded: line 4: the mark of red tray cell (2, 1) '' is not a number.");
}

TEST(SavedPositionReading, CountsLinesTheSameWhetherTheyEndInCrLfLfOrCrAlone) {
    for (const QByteArray lineEnd : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(lineEnd.toPercentEncoding().toStdString());
        EXPECT_EQ(refusal("40" + lineEnd + lineEnd + "40 x" + lineEnd),
                  "Not loaded: line 3: the piece radius 'x' is not a number.");
        EXPECT_EQ(refusal("40" + lineEnd + lineEnd + "40 15" + lineEnd + "0" + lineEnd),
                  "Not loaded: line 5: the file ends before the mark of red tray cell (1, 2).");
    }
    // An LF before a CR is not one line end but two.
    EXPECT_EQ(refusal("40\n\rx"),
              "Not loaded: line 3: the whole-pixel square size 'x' is not a number.");
}

TEST(SavedPositionReading, SkipsOneByteOrderMarkAtTheStartAndNoOther) {
    EXPECT_EQ(readPositionNumbers("\xef\xbb\xbf" + twoPieceFile(" 40  40  15"), 2, "")[0], 40);
    EXPECT_EQ(refusal("\xef\xbb\xbf\r\n 40  x"),
              "Not loaded: line 2: the whole-pixel square size 'x' is not a number.");
    EXPECT_EQ(refusal("\xef\xbb\xbf\xef\xbb\xbf 40"),
              "Not loaded: line 1: the square size '\\xef\\xbb\\xbf' is not a number.");
    EXPECT_EQ(refusal(" \xef\xbb\xbf"
                      "40"),
              "Not loaded: line 1: the square size '\\xef\\xbb\\xbf40' is not a number.");
}

TEST(SavedPositionReading, StopsAtTheLastNumberItNeeds) {
    // Two pieces: 3 + 12 + 12 + 6 numbers, then words that are never looked at.
    QByteArray bytes = " 40  40  15 \r\n";
    for (int trayLine = 0; trayLine < 8; ++trayLine) {
        bytes += " 0  0  0 \r\n";
    }
    bytes += " 20  20  1 \r\n 60  60  2 \r\n not numbers";

    const std::vector<double> numbers = readPositionNumbers(bytes, 2, "Not loaded");

    ASSERT_EQ(numbers.size(), 33u);
    EXPECT_EQ(numbers[secondPiece], 60);
    EXPECT_EQ(numbers[secondPiece + 2], 2);
}
