#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "offscreen/board_snapshot.h"
#include "offscreen/position_files.h"
#include "persistence/position_file.h"
#include "support/board_fixture.h"

#ifndef Q_OS_WIN  // named pipes and descriptors are Unix ones
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {
// The lines of a Large position file, whole and correct, with marks in the trays; the refused
// files are cut from it or spoilt in one place, so that a Load that stored anything before
// refusing would show.
QByteArray largeLines(int from, int to) {
    QList<QByteArray> lines = startingPositionLines(60, 25);
    for (int trayLine = 1; trayLine <= 8; ++trayLine) {
        lines[trayLine] = " 1  0  0 \r\n";
    }
    return lines.mid(from - 1, to - from + 1).join();
}

// The Large file with another line in place of line number.
QByteArray withLine(int number, const QByteArray& line) {
    return largeLines(1, number - 1) + line + " \r\n" + largeLines(number + 1, 33);
}

QByteArray largeFile() {
    return largeLines(1, 33);
}

#ifndef Q_OS_WIN  // Windows has no /proc to count a process's open files by
// Descriptors of this process that still refer to path.
int openDescriptorsOf(const QString& path) {
    int count = 0;
    const QString target = QFileInfo(path).absoluteFilePath();
    for (const QFileInfo& link :
         QDir("/proc/self/fd").entryInfoList(QDir::AllEntries | QDir::System)) {
        count += link.symLinkTarget() == target ? 1 : 0;
    }
    return count;
}
#endif

class RefusedLoadTest : public BoardTest {
protected:
    RefusedLoadTest() {
        drag(20, 20, 400, 200);  // a red piece in its tray, so the board is not at its start
    }

    void write(const QByteArray& bytes) { ASSERT_TRUE(writeBytes(positionFile, bytes)); }

    // Load must refuse in one whole, visible sentence that names the file once and says why,
    // and leave the board, its picture, the window and whatever lies at the path as they were.
    void expectRefused(const std::string& reason) {
        const BoardSnapshot before(*this);
        const QByteArray bytes = fileBytes();
        try {
            fileMenu.LoadClick();
            ADD_FAILURE() << "Load accepted the file";
        } catch (const PositionFileError& error) {
            expectOneSentenceNamingTheFile(error.what(), "loaded from", reason);
        }
        const BoardSnapshot after(*this);
        EXPECT_EQ(after.numbers, before.numbers);
        EXPECT_TRUE(after == before) << "the picture or the window changed";
        EXPECT_EQ(fileBytes(), bytes);
#ifndef Q_OS_WIN  // Windows has no /proc to count a process's open files by
        EXPECT_EQ(openDescriptorsOf(positionFile), 0);
#endif
    }

private:
    // A huge file is told by its size alone; reading it whole would take longer than the test.
    QByteArray fileBytes() const {
        QFile file(positionFile);
        if (!QFileInfo(positionFile).isFile() || !file.open(QIODevice::ReadOnly)) {
            return "<not a readable file>";
        }
        return file.size() > 2 * largestPositionFile
                   ? "<" + QByteArray::number(file.size()) + " bytes>"
                   : file.readAll();
    }
};

struct RefusedFile {
    const char* name;
    QByteArray bytes;
    std::string reason;
};

const RefusedFile refusedFiles[] = {
    {"Empty", "", "line 1: the file ends before the square size"},
    {"OnlyLineEnds", "\r\n \r\n", "line 3: the file ends before the square size"},
    {"EndsInTheHeader", " 60  60 ", "the file ends before the piece radius"},
    {"EndsInTheRedTray", largeLines(1, 3), "the file ends before the mark of red tray cell (3, 1)"},
    {"EndsInTheBlueTray", largeLines(1, 8) + " 1  0 ",
     "the file ends before the mark of blue tray cell (4, 3)"},
    {"EndsAtAPieceX", largeLines(1, 13), "the file ends before the x of piece 5"},
    {"EndsAtAPieceY", largeLines(1, 13) + " 30 ", "the file ends before the y of piece 5"},
    {"EndsAtAPieceSide", largeLines(1, 32) + " 390  450 ",
     "the file ends before the side of piece 24"},
    {"WordForTheSquareSize", "abc" + largeFile().mid(3),
     "line 1: the square size 'abc' is not a number"},
    {"WordForAPieceY", withLine(20, " 60  twenty  1"),
     "line 20: the y of piece 11 'twenty' is not a number"},
    {"OverlongNumber", withLine(10, " 30  30  " + QByteArray(80, '0') + "1"),
     "line 10: the side of piece 1 '000000000000000000000000...' is not a number"},
    {"NulInTheSquareSize", withLine(1, QByteArray(" 6") + '\0' + "0  60  25"),
     "line 1: the square size '6\\x000' is not a number"},
    {"FormFeedInAPieceX", withLine(10, " \f30  30  1"),
     "line 10: the x of piece 1 '\\x0c30' is not a number"},
    {"BytesFromTheUpperHalf", withLine(10, " 30\x7f\xff  30  1"),
     "line 10: the x of piece 1 '30\\x7f\\xff' is not a number"},
    {"CrOnlyLineEnds", largeLines(1, 32).replace("\r\n", "\r") + " 390  450  x \r",
     "line 33: the side of piece 24 'x' is not a number"},
    {"PieceXOutOfRange", withLine(12, " 40000  30  1"),
     "line 12: the x of piece 3 '40000' is outside the range -32768 to 32767"},
    {"TrayMarkOutOfRange", withLine(7, " 1  70000  0"),
     "line 7: the mark of blue tray cell (2, 2) '70000' is outside the range"},
    {"PieceYBelowRange", withLine(10, " 30  -32769  1"),
     "the y of piece 1 '-32769' is outside the range"},
    {"WordAfterAByteOrderMark", "\xef\xbb\xbf" + withLine(20, " 60  twenty  1"),
     "line 20: the y of piece 11 'twenty' is not a number"},
};

// Files whose header is wrong, each with the rest of a Large file after it.
const RefusedFile refusedHeaders[] = {
    {"NotANumberForARadius", " 60  60  nan", "line 1: the piece radius 'nan' is not a number"},
    {"ZeroSquareSize", " 0  60  25", "the square size '0' is not a positive number"},
    {"ZeroWholePixelSize", " 60  0  25",
     "the whole-pixel square size '0' is not a positive number"},
    {"WholePixelSizeRoundingToZero", " 60  0.5  25",
     "the whole-pixel square size '0.5' is not a positive number"},
    {"NegativeSquareSize", "-60 -60  25", "the square size '-60' is not a positive number"},
    {"InfiniteSquareSize", " 1e999  60  25",
     "line 1: the square size '1e999' is too large to draw the board"},
    {"SquareSizeTooSmallToDivideBy", " 1e-307  1  25",
     "line 1: the square size '1e-307' is too small to play on"},
    {"SmallestRealSquareSize", " 5e-324  1  25",
     "line 1: the square size '5e-324' is too small to play on"},
    {"SquareSizeBelowTheRangeOfReals", " 1e-400  1  25",
     "line 1: the square size '1e-400' is too small to play on"},
    {"NegativeSquareSizeBelowTheRangeOfReals", "-1e-400  1  25",
     "line 1: the square size '-1e-400' is not a positive number"},
    {"NegativeRadius", " 60  60 -1", "the piece radius '-1' is negative"},
    {"HugeWholePixelSize", " 60  5000  25",
     "the square sizes '60' and '5000' are too large to draw the board"},
    {"HugeSquareSize", " 3000  60  25",
     "the square sizes '3000' and '60' are too large to draw the board"},
};

// Every refused file: the ones above, and the Large file under each wrong header.
std::vector<RefusedFile> allRefusedFiles() {
    std::vector<RefusedFile> all(std::begin(refusedFiles), std::end(refusedFiles));
    for (const RefusedFile& header : refusedHeaders) {
        all.push_back({header.name, withLine(1, header.bytes), header.reason});
    }
    return all;
}

// Names the case, not its bytes, in test listings.
void PrintTo(const RefusedFile& file, std::ostream* out) {
    *out << file.name;
}

class RefusedFileTest : public RefusedLoadTest,
                        public ::testing::WithParamInterface<RefusedFile> {};
}  // namespace

TEST_P(RefusedFileTest, ChangesNothingAndSaysWhy) {
    write(GetParam().bytes);
    expectRefused(GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(PositionFile, RefusedFileTest, ::testing::ValuesIn(allRefusedFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RefusedLoadTest, MissingFileIsNamedOnce) {
    try {
        fileMenu.LoadClick();
        ADD_FAILURE() << "Load accepted a missing file";
    } catch (const PositionFileError& error) {
        EXPECT_EQ(error.what(), "The position could not be loaded from " + shownName() +
                                    ": there is no such file.");
    }
    expectRefused("there is no such file");
}

TEST_F(RefusedLoadTest, CharactersThatWouldReorderBreakOrHideTheMessageAreShownEscaped) {
    // A right-to-left override, a line separator, a zero-width space, a C1 control and a tab in
    // a folder's name; the accented letter stays as it is.
    const QString base = QFileInfo(positionFile).absolutePath() + "/";
    const QString folder = QString::fromUtf8(
        "caf\xc3\xa9\xe2\x80\xaetxt.exe\xe2\x80\xa8"
        "x\xe2\x80\x8b\xc2\x85\t");
    PositionCommands loader(form, {base + folder + "/Videver.txt"});
    const std::string shown = QDir::toNativeSeparators(base).toStdString() +
                              "caf\xc3\xa9\\u202etxt.exe\\u2028x\\u200b\\u0085\\x09" +
                              QDir::toNativeSeparators("/Videver.txt").toStdString();
    try {
        loader.LoadClick();
        ADD_FAILURE() << "Load accepted a missing file";
    } catch (const PositionFileError& error) {
        EXPECT_TRUE(std::string(error.what())
                        .starts_with("The position could not be loaded from " + shown + ": "))
            << error.what();
    }
    // A byte order mark leading a folder's name, and a format character beyond the first 65536.
    PositionCommands marked(form,
                            {base + QChar(0xfeff) + QString::fromUtf8("a\xf3\xa0\x80\x81/V")});
    try {
        marked.LoadClick();
        ADD_FAILURE() << "Load accepted a missing file";
    } catch (const PositionFileError& error) {
        EXPECT_NE(std::string(error.what()).find("\\ufeffa\\U000e0001"), std::string::npos)
            << error.what();
    }
}

TEST_F(RefusedLoadTest, DirectoryAtThePath) {
    ASSERT_TRUE(QDir().mkpath(positionFile));
    expectRefused("not a regular file");
    EXPECT_TRUE(QFileInfo(positionFile).isDir());
}

#ifndef Q_OS_WIN  // Windows folders hold no devices, pipes or /proc; links are shortcuts
TEST_F(RefusedLoadTest, DeviceAtThePath) {
    ASSERT_TRUE(QFile::link("/dev/null", positionFile));
    expectRefused("not a regular file");
}

TEST_F(RefusedLoadTest, NamedPipeAtThePathIsRefusedAtOnce) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(positionFile).constData(), 0600), 0);
    // Load runs beside the test, which stands in as a writer after a while should Load be
    // waiting on the pipe, so that the test fails instead of hanging.
    std::atomic<bool> done = false;
    std::thread load([&] {
        expectRefused("it is a named pipe, not a regular file");
        done = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(done) << "Load waited on the pipe";
    if (!done) {
        ::close(::open(QFile::encodeName(positionFile).constData(), O_WRONLY));
    }
    load.join();
}

TEST_F(RefusedLoadTest, SocketAtThePath) {
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listening, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(positionFile);
    ASSERT_LT(std::size_t(name.size()), sizeof address.sun_path);
    std::copy(name.begin(), name.end(), address.sun_path);
    ASSERT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    expectRefused("it is a socket, not a regular file");
    ::close(listening);
}

TEST_F(RefusedLoadTest, TerminalAtThePathIsRefusedUnread) {
    // A terminal nobody types into would keep a read waiting for good.
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(::grantpt(terminal), 0);
    ASSERT_EQ(::unlockpt(terminal), 0);
    ASSERT_TRUE(QFile::link(::ptsname(terminal), positionFile));
    expectRefused("it is a device, not a regular file");
    ::close(terminal);
}

TEST_F(RefusedLoadTest, ReadErrorIsNamedAsSuch) {
    // Reading this process's memory from address 0 fails with an I/O error.
    ASSERT_TRUE(QFile::link("/proc/self/mem", positionFile));
    expectRefused("it cannot be read: Input/output error");
}
#endif

TEST_F(RefusedLoadTest, FileBeyondTheSizeCapIsRefused) {
    // A position padded to exactly the cap loads; one byte more is refused, and so is a sparse
    // file of 4 GiB, of which no more than one byte past the cap is read.
    QByteArray padded = largeFile();
    padded += QByteArray(largestPositionFile - padded.size(), ' ');
    write(padded);
    fileMenu.LoadClick();
    EXPECT_EQ(form.CellSize, 60);

    write(padded + ' ');
    expectRefused("it is too large to be a position file");

    write(largeFile());
    ASSERT_TRUE(QFile(positionFile).resize(qint64(4) << 30));
    expectRefused("it is too large to be a position file");
}

TEST_F(RefusedLoadTest, LargestSizesThatFitLoadAndPlayWithoutOverflow) {
    // The largest 16-bit values come from the lower tray box, 8 * 4095 = 32760, and a piece
    // filed into the last tray column, 11.5 * 2849 = 32763.5. The window asks for about 35000
    // pixels and is held to the screen.
    QByteArray lines = largeLines(2, 33);
    lines.replace(0, 11, " 1  1  0 \r\n");  // the next red piece filed goes to tray cell (1, 3)
    write(" 2849  4095  15 \r\n" + lines);
    fileMenu.LoadClick();
    EXPECT_EQ(form.CellSize, 2849);
    EXPECT_EQ(form.CellSizeI, 4095);
    EXPECT_LE(surface.size().width(), 3840);

    drag(30, 30, -10, -10);  // piece 1 off the board: filed
    EXPECT_EQ(form.pieceAt(1).X(), 32764);
    EXPECT_EQ(form.Tray1(1, 3), 1);
    EXPECT_NO_THROW(form.KngClick());
    EXPECT_EQ(form.pieceAt(24).X(), 30090);  // 1424.5 + 7 * 4095, the tie going to the even side

    // The smallest square sizes that divide safely load and play too.
    write(" 1e-300  1  15 \r\n" + lines);
    fileMenu.LoadClick();
    EXPECT_EQ(form.CellSize, 1e-300);
    EXPECT_NO_THROW(drag(30, 30, 300, 300));
    EXPECT_FALSE(form.pieceAt(1).ISMOVING);

    for (const char* header :
         {" 2849.35  4095  15 \r\n", " 2850  60  15 \r\n", " 60  4096  15 \r\n"}) {
        SCOPED_TRACE(header);
        write(header + lines);
        expectRefused("too large to draw the board");
    }
}
