#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "persistence/number_reader.h"
#include "persistence/position_file_error.h"
#include "persistence/saved_position.h"

namespace {
const double infinity = std::numeric_limits<double>::infinity();
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
        {"1e999", infinity}, {"-1e999", -infinity}, {"1.5e400", infinity}, {"2.5e99999", infinity},
        {"1e-999", 0.0},     {"20.5e-400", 0.0},    {"1.0e-999", 0.0},     {"5e-324", 5e-324},
    };
    for (const auto& [text, value] : numbers) {
        EXPECT_EQ(parseNumber(text), value) << text;
    }
    EXPECT_TRUE(std::signbit(*parseNumber("-1e-999")));
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
        {"1.5e400", infinity}, {"2.5e99999", infinity}, {"20.5e-400", 0.0},
        {"1.0e-999", 0.0},     {"40.5", 40.5},          {"4,5", std::nullopt},
    };
    for (const auto& [text, value] : numbers) {
        EXPECT_EQ(parseNumber(text), value) << text;
    }
    std::setlocale(LC_ALL, "C");
#ifndef Q_OS_WIN  // set only where the locale was made for the test
    qputenv("LOCPATH", oldLocPath);
#endif
}

TEST(SplitFields, SplitsAtBlanksAndCommasAndCountsLines) {
    const Fields split = splitFields("  12345 \r\n\n 67,89\n1 , 2\t3,,4");
    std::vector<std::pair<QByteArray, int>> fields;
    for (const Field& field : split.fields) {
        fields.emplace_back(field.text, field.line);
    }
    EXPECT_EQ(
        fields,
        (std::vector<std::pair<QByteArray, int>>{
            {"12345", 1}, {"67", 3}, {"89", 3}, {"1", 4}, {"2", 4}, {"3", 4}, {"", 4}, {"4", 4}}));
    EXPECT_EQ(split.lastLine, 4);
}

TEST(SplitFields, CountsLinesTheSameWhetherTheyEndInCrLfLfOrCrAlone) {
    for (const QByteArray lineEnd : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(lineEnd.toPercentEncoding().toStdString());
        const Fields split = splitFields("1" + lineEnd + lineEnd + "2 3" + lineEnd + "4" + lineEnd);
        ASSERT_EQ(split.fields.size(), 4u);
        EXPECT_EQ(split.fields[1].line, 3);
        EXPECT_EQ(split.fields[3].line, 4);
        EXPECT_EQ(split.lastLine, 5);
    }
    // An LF before a CR is not one line end but two.
    EXPECT_EQ(splitFields("1\n\r2").fields.back().line, 3);
}

TEST(SavedPositionReading, StopsAtTheLastNumberItNeeds) {
    // Two pieces: 3 + 12 + 12 + 6 numbers, then words that are never looked at.
    QByteArray bytes = " 40  40  15 \r\n";
    for (int trayLine = 0; trayLine < 8; ++trayLine) {
        bytes += " 0  0  0 \r\n";
    }
    bytes += " 20  20  1 \r\n 60  60  2 \r\n not numbers";

    const SavedPosition position = readSavedPosition(bytes, 2, "Not loaded");

    ASSERT_EQ(position.pieces.size(), 2u);
    EXPECT_EQ(position.pieces[1].X, 60);
    EXPECT_EQ(position.pieces[1].SH_TYPE, 2);
}
