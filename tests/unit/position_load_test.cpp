#include <QFile>
#include <algorithm>
#include <array>
#include <functional>
#include <vector>

#include "board/board_colours.h"
#include "offscreen/position_files.h"
#include "support/board_fixture.h"

namespace {
// A position file as lines of three numbers each, written as text: the header, four lines per
// tray, then one line per piece.
using Line = std::array<QByteArray, 3>;
using Lines = std::vector<Line>;

Line line(double a, double b, double c) {
    return {QByteArray::number(a), QByteArray::number(b), QByteArray::number(c)};
}

// The starting position for a square side and radius, field by field.
Lines startingPosition(int side, int radius) {
    Lines lines;
    for (const QByteArray& text : startingPositionLines(side, radius)) {
        const QList<QByteArray> fields = text.simplified().split(' ');
        lines.push_back({fields[0], fields[1], fields[2]});
    }
    return lines;
}

// A Large game under way: two red pieces and one blue piece lie in their trays.
Lines largeGameUnderWay() {
    Lines lines = startingPosition(60, 25);
    lines[1] = line(1, 1, 0);  // red tray, row 1
    lines[5] = line(1, 0, 0);  // blue tray, row 1
    lines[9] = line(570, 30, 1);
    lines[10] = line(630, 30, 1);
    lines[32] = line(570, 270, 2);
    return lines;
}

QByteArray compact(const Lines& lines, const QByteArray& lineEnd = "\r\n") {
    QByteArray text;
    for (const Line& numbers : lines) {
        text += ' ' + numbers[0] + "  " + numbers[1] + "  " + numbers[2] + ' ' + lineEnd;
    }
    return text;
}

// Every number the board holds that a position file carries, in file order.
std::vector<double> fileValues(Form1& form) {
    std::vector<double> values{form.CellSize, double(form.CellSizeI), double(form.PieceRadius)};
    for (const TrayGrid* tray : {&form.Tray1, &form.Tray2}) {
        for (const TrayCell cell : TrayGrid::cells) {
            values.push_back((*tray)(cell));
        }
    }
    for (int position = 1; position <= form.pieceCount(); ++position) {
        const VIDEVER& piece = form.pieceAt(position);
        values.insert(values.end(),
                      {double(piece.X()), double(piece.Y()), double(piece.SH_TYPE())});
    }
    return values;
}

std::vector<double> valuesOf(const Lines& lines) {
    std::vector<double> values;
    for (const Line& numbers : lines) {
        for (const QByteArray& number : numbers) {
            values.push_back(number.toDouble());
        }
    }
    return values;
}

std::vector<int> radii(Form1& form) {
    std::vector<int> radii;
    for (int position = 1; position <= int(form.Pieces.size()); ++position) {
        radii.push_back(form.pieceAt(position).R());
    }
    return radii;
}

class PositionLoadTest : public BoardTest {
protected:
    void write(const QByteArray& bytes) { ASSERT_TRUE(writeBytes(positionFile, bytes)); }
};
}  // namespace

TEST_F(PositionLoadTest, SaveThenLoadChangesNothing) {
    drag(20, 20, 400, 200);   // a red piece into its tray
    drag(60, 220, 100, 180);  // a blue piece one square on
    ASSERT_EQ(form.Tray1(1, 1), 1);
    fileMenu.SaveClick();
    const std::vector<double> before = fileValues(form);
    showChanges();
    const QImage picture = surface.image().copy();
    const float width = host.widthTwips();

    fileMenu.LoadClick();
    showChanges();

    EXPECT_EQ(fileValues(form), before);
    EXPECT_EQ(radii(form), std::vector<int>(24, 15));
    EXPECT_EQ(surface.image(), picture);
    EXPECT_EQ(host.widthTwips(), width);
}

TEST_F(PositionLoadTest, FallbackIsReadWhileNothingLiesAtThePathAndNeverWritten) {
    // As on Windows: the user's own file first, and the older place that Load still reads.
    const QString fallback = positionFile + ".fallback";
    form.LargeClick();
    fileMenu.SaveClick();
    ASSERT_TRUE(QFile::rename(positionFile, fallback));
    QFile fallbackFile(fallback);
    ASSERT_TRUE(fallbackFile.open(QIODevice::ReadOnly));
    const QByteArray large = fallbackFile.readAll();
    fallbackFile.close();
    PositionCommands withFallback(form, {positionFile, fallback, {}});

    form.NormalClick();
    withFallback.LoadClick();
    EXPECT_EQ(form.CellSize, 60);

    form.SmallClick();
    withFallback.SaveClick();
    form.NormalClick();
    withFallback.LoadClick();
    EXPECT_EQ(form.CellSize, 20);
    ASSERT_TRUE(fallbackFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(fallbackFile.readAll(), large);
}

TEST_F(PositionLoadTest, LargeFileLoadedAtNormalTurnsTheBoardLarge) {
    form.LargeClick();
    fileMenu.SaveClick();
    form.NormalClick();
    ASSERT_EQ(pixel(55, 5), colours::white);

    fileMenu.LoadClick();

    EXPECT_EQ(fileValues(form), valuesOf(startingPosition(60, 25)));
    EXPECT_EQ(radii(form), std::vector<int>(24, 25));
    EXPECT_FLOAT_EQ(host.widthTwips(), 60 * 14.4 * 13);
    EXPECT_FLOAT_EQ(host.heightTwips(), 60 * 14.4 * 10 + 230.4);
    EXPECT_EQ(pixel(55, 5), colours::black);  // still the first square, 60 wide
    EXPECT_EQ(pixel(50, 30), colours::red);   // inside the first piece, radius 25 around (30, 30)
}

TEST_F(PositionLoadTest, PieceLinesBeyondTheCollectionAreIgnored) {
    write(compact(largeGameUnderWay()) + " 999  999  2 \r\n 40000  abc  7 \r\n");
    fileMenu.LoadClick();
    EXPECT_EQ(form.Pieces.size(), 24u);
    EXPECT_EQ(fileValues(form), valuesOf(largeGameUnderWay()));
}

TEST_F(PositionLoadTest, TrayMarkWithoutAPieceIsKeptAndFilledAround) {
    Lines lines = startingPosition(40, 15);
    lines[1] = line(1, 0, 0);
    write(compact(lines));
    fileMenu.LoadClick();
    EXPECT_EQ(form.Tray1(1, 1), 1);

    drag(20, 20, 360, 200);  // the first red piece off the board: the next free cell is (1, 2)

    EXPECT_EQ(form.pieceAt(1).X(), 420);
    EXPECT_EQ(form.pieceAt(1).Y(), 20);
    EXPECT_EQ(form.Tray1(1, 2), 1);
    EXPECT_EQ(pixel(420, 20), colours::red);
}

TEST_F(PositionLoadTest, PiecesTakeTheirLinesPurelyByOrder) {
    Lines lines = startingPosition(40, 15);
    std::reverse(lines.begin() + 9, lines.end());
    write(compact(lines));
    fileMenu.LoadClick();
    ASSERT_EQ(form.Pieces.size(), 24u);
    EXPECT_EQ(fileValues(form), valuesOf(lines));
    // The first piece in the collection is now the blue one in the bottom-right corner.
    EXPECT_EQ(form.pieceAt(1).SH_TYPE(), 2);
    EXPECT_EQ(form.pieceAt(1).X(), 300);
    EXPECT_EQ(form.pieceAt(24).SH_TYPE(), 1);
    EXPECT_EQ(pixel(300, 300), colours::blue);
}

TEST_F(PositionLoadTest, SquareSizeKeepsItsFractionThroughSaveAndLoad) {
    Lines lines = startingPosition(40, 15);
    lines[0] = {"40.5", "40", "15"};
    write(compact(lines));
    fileMenu.LoadClick();
    EXPECT_EQ(form.CellSize, 40.5);
    EXPECT_EQ(form.CellSizeI, 40);

    fileMenu.SaveClick();
    QFile file(positionFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readLine(), " 40.5  40  15 \r\n");
    file.close();

    form.NormalClick();
    fileMenu.LoadClick();
    EXPECT_EQ(form.CellSize, 40.5);
}

TEST_F(PositionLoadTest, SixteenBitValuesRoundHalvesToEven) {
    Lines lines = startingPosition(40, 15);
    lines[0] = {"40", "40.5", "14.5"};
    lines[1] = {"0.5", "1.5", "-0.5"};
    lines[9] = {"20.5", "21.5", "1.5"};
    write(compact(lines));
    fileMenu.LoadClick();
    EXPECT_EQ(form.CellSizeI, 40);
    EXPECT_EQ(form.PieceRadius, 14);
    EXPECT_EQ(form.Tray1(1, 1), 0);
    EXPECT_EQ(form.Tray1(1, 2), 2);
    EXPECT_EQ(form.Tray1(1, 3), 0);
    EXPECT_EQ(form.pieceAt(1).X(), 20);
    EXPECT_EQ(form.pieceAt(1).Y(), 22);
    EXPECT_EQ(form.pieceAt(1).SH_TYPE(), 2);
    EXPECT_EQ(radii(form), std::vector<int>(24, 14));
}

namespace {
// One way of writing a position file that Load must read as the same position.
struct Layout {
    const char* name;
    std::function<QByteArray(const Lines&)> write;
};

QByteArray joined(const Lines& lines, const QByteArray& between, const QByteArray& lineEnd) {
    QByteArray text;
    for (const Line& numbers : lines) {
        text += numbers[0] + between + numbers[1] + between + numbers[2] + lineEnd;
    }
    return text;
}

// Numbers given their own fields and laid out in 14-column print zones: " 0" padded to 14,
// three zones, 42 characters before the line end.
QByteArray printZones(const Line& numbers) {
    QByteArray text;
    for (const QByteArray& number : numbers) {
        text += (' ' + number + ' ').leftJustified(14, ' ');
    }
    return text + "\r\n";
}

QByteArray breaksAnywhere(const Lines& lines) {
    const std::array<QByteArray, 5> breaks{"\r\n", " ", "\r\n\r\n  ", "\n", " \r\n "};
    QByteArray text;
    std::size_t count = 0;
    for (const Line& numbers : lines) {
        for (const QByteArray& number : numbers) {
            text += number + breaks[count++ % breaks.size()];
        }
    }
    return text;
}

const Layout layouts[] = {
    {"AsSaveWritesIt", [](const Lines& l) { return compact(l); }},
    {"SingleSpaces", [](const Lines& l) { return joined(l, " ", "\r\n"); }},
    {"SeveralSpaces", [](const Lines& l) { return "   " + joined(l, "     ", "   \r\n  "); }},
    {"CommaAfterEachNumber", [](const Lines& l) { return joined(l, ",", ",\r\n"); }},
    {"CommaAndSpace", [](const Lines& l) { return joined(l, ", ", "\r\n"); }},
    {"SpacesAroundCommas", [](const Lines& l) { return joined(l, " , ", " ,\r\n"); }},
    {"LineBreaksAnywhere", breaksAnywhere},
    {"AllOnOneLine", [](const Lines& l) { return joined(l, " ", " ") + "\r\n"; }},
    {"TrayLinesInPrintZones",
     [](const Lines& l) {
         QByteArray text = compact({l[0]});
         for (std::size_t trayLine = 1; trayLine <= 8; ++trayLine) {
             text += printZones(l[trayLine]);
         }
         return text + compact(Lines(l.begin() + 9, l.end()));
     }},
    {"TrailingJunk",
     [](const Lines& l) { return compact(l) + "the end, -- 1e999 \x01\xff\r\n\r\nmore"; }},
    {"LineFeedsOnly", [](const Lines& l) { return compact(l, "\n"); }},
    {"NoLineEndAtTheEnd", [](const Lines& l) { return compact(l).chopped(2); }},
    {"ByteOrderMarkFirst", [](const Lines& l) { return "\xef\xbb\xbf" + compact(l); }},
};

// Names the layout, not its writer, in test listings.
void PrintTo(const Layout& layout, std::ostream* out) {
    *out << layout.name;
}

class AcceptedLayoutTest : public PositionLoadTest, public ::testing::WithParamInterface<Layout> {};
}  // namespace

TEST_P(AcceptedLayoutTest, LoadsTheSamePosition) {
    write(GetParam().write(largeGameUnderWay()));
    fileMenu.LoadClick();
    EXPECT_EQ(fileValues(form), valuesOf(largeGameUnderWay()));
    EXPECT_EQ(radii(form), std::vector<int>(24, 25));
    EXPECT_EQ(pixel(30, 150), colours::red);   // a red piece at its Large centre in row 2
    EXPECT_EQ(pixel(30, 30), colours::black);  // the first piece went to its tray
}

INSTANTIATE_TEST_SUITE_P(PositionFile, AcceptedLayoutTest, ::testing::ValuesIn(layouts),
                         [](const auto& info) { return std::string(info.param.name); });
