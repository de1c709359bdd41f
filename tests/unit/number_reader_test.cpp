#include <gtest/gtest.h>

#include <QBuffer>
#include <cmath>
#include <limits>

#include "persistence/number_reader.h"
#include "persistence/saved_position.h"
#include "platform/errors.h"
#include "platform/file_reading.h"

namespace {
std::vector<Field> allFields(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    NumberReader reader(buffer, largestPositionFile);
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

TEST(NumberReader, CountsLinesTheSameWhetherTheyEndInCrLfLfOrCrAlone) {
    for (const QByteArray lineEnd : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(lineEnd.toPercentEncoding().toStdString());
        const std::vector<Field> fields =
            allFields("1" + lineEnd + lineEnd + "2 3" + lineEnd + "4");
        ASSERT_EQ(fields.size(), 4u);
        EXPECT_EQ(fields[1].line, 3);
        EXPECT_EQ(fields[3].line, 4);
    }
    // An LF before a CR is not one line end but two.
    EXPECT_EQ(allFields("1\n\r2").back().line, 3);
}

TEST(NumberReader, OverlongFieldIsCutAtItsSixtyFifthCharacterWithoutReadingOn) {
    QByteArray bytes = QByteArray(1 << 20, '7') + " 8";
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    NumberReader reader(buffer, bytes.size());
    const std::optional<Field> field = reader.next();
    ASSERT_TRUE(field);
    EXPECT_TRUE(field->cut);
    EXPECT_EQ(field->text, QByteArray(64, '7'));
    EXPECT_LE(buffer.pos(), 4096);
}

TEST(NumberReader, ReadsNothingBeyondItsLimit) {
    // The whole of a file of exactly the limit is read; one byte more and the reader stops
    // before it, even when the byte would end a number.
    QByteArray bytes = QByteArray(99, ' ') + "5";
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    NumberReader exact(buffer, 100);
    EXPECT_EQ(exact.next()->text, "5");
    EXPECT_FALSE(exact.pastLimit());

    bytes += '6';
    buffer.seek(0);
    NumberReader over(buffer, 100);
    over.next();
    EXPECT_TRUE(over.pastLimit());
    EXPECT_EQ(buffer.pos(), 101);
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

    const SavedPosition position = readSavedPosition(buffer, 2, "Not loaded");

    ASSERT_EQ(position.pieces.size(), 2u);
    EXPECT_EQ(position.pieces[1].X, 60);
    EXPECT_EQ(position.pieces[1].SH_TYPE, 2);
    EXPECT_LE(buffer.pos(), needed + 4096);
}

TEST(SavedPositionReading, RefusesAFileThatGrewBeyondTheSizeCapWhileBeingRead) {
    // The size was checked when the file was opened; the reader holds to the same cap.
    QByteArray bytes = QByteArray(4 * largestPositionFile, '\n') + " 40  40  15 ";
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        readSavedPosition(buffer, 24, "Not loaded");
        ADD_FAILURE() << "the file was read";
    } catch (const PositionFileError& error) {
        EXPECT_STREQ(error.what(), "Not loaded: it is too large to be a position file.");
    }
    EXPECT_LE(buffer.pos(), largestPositionFile + 1);
}
