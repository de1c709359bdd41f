#include <gtest/gtest.h>

#include <QBuffer>
#include <cmath>
#include <limits>

#include "persistence/number_reader.h"
#include "persistence/saved_position.h"

namespace {
std::vector<Field> allFields(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    NumberReader reader(buffer);
    std::vector<Field> fields;
    while (std::optional<Field> field = reader.next()) {
        fields.push_back(*field);
    }
    return fields;
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
                             "inf", "-infinity", "--1", "1.2.3", "4,0"}) {
        EXPECT_EQ(parseNumber(text), std::nullopt) << text;
    }
}

TEST(ParseNumber, NumbersBeyondTheRangeOfRealsStayNumbers) {
    // Too large becomes infinite, so the caller refuses it as out of range rather than as a word.
    EXPECT_EQ(parseNumber("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseNumber("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseNumber("1e-999"), 0.0);
}

TEST(NumberReader, SplitsFieldsAndCountsLinesAcrossChunks) {
    // The first field straddles the reader's 4096-byte chunks.
    const QByteArray bytes = QByteArray(4093, ' ') + "12345 \r\n\n 67,89\n";
    const std::vector<Field> fields = allFields(bytes);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0].text, "12345");
    EXPECT_EQ(fields[0].line, 1);
    EXPECT_EQ(fields[1].text, "67");
    EXPECT_EQ(fields[1].line, 3);
    EXPECT_EQ(fields[2].text, "89");
    EXPECT_EQ(fields[2].line, 3);
}

TEST(NumberReader, OverlongFieldKeepsItsStartAndIsMarkedCut) {
    const std::vector<Field> fields = allFields(QByteArray(100000, '7') + " 8");
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_TRUE(fields[0].cut);
    EXPECT_LT(fields[0].text.size(), 100);
    EXPECT_TRUE(fields[0].text.startsWith("7777"));
    EXPECT_FALSE(fields[1].cut);
    EXPECT_EQ(fields[1].text, "8");
}

TEST(SavedPositionReading, StopsAtTheLastNumberItNeeds) {
    // Two pieces: 3 + 12 + 12 + 6 numbers, then a megabyte that must never be read.
    QByteArray bytes = " 40  40  15 \r\n";
    for (int trayLine = 0; trayLine < 8; ++trayLine) {
        bytes += " 0  0  0 \r\n";
    }
    bytes += " 20  20  1 \r\n 60  60  2 \r\n";
    const qsizetype needed = bytes.size();
    bytes += QByteArray(1 << 20, 'x');
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);

    const SavedPosition position = readSavedPosition(buffer, 2);

    ASSERT_EQ(position.pieces.size(), 2u);
    EXPECT_EQ(position.pieces[1].X, 60);
    EXPECT_EQ(position.pieces[1].SH_TYPE, 2);
    EXPECT_LE(buffer.pos(), needed + 4096);
}
