// Feeds arbitrary bytes to Load as the position file. Load must either refuse the file in one
// whole, visible sentence that names the file once, and leave the board, its picture and its
// window exactly as they were, or accept it and leave a board that redraws, saves the same
// position back, and takes the menu commands without error.
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "offscreen/board_snapshot.h"
#include "offscreen/offscreen_board.h"
#include "offscreen/position_files.h"
#include "persistence/position_file.h"

namespace {
// A small screen: a file may give every piece a radius of thousands, and each repaint then
// costs a screenful per piece. Six by four squares of the Normal board still show, and the
// state itself is compared in full.
const QSize screen(240, 180);

void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "position-file-fuzzer: %s\n", what);
        std::abort();
    }
}

const QString& inputFile() {
    static const QTemporaryDir folder;
    static const QString path = folder.path() + "/Videver.txt";
    return path;
}

void writeFile(const QByteArray& bytes) {
    require(writeBytes(inputFile(), bytes), "cannot write the input");
}

// A board at its start, as the program shows it after its load event.
struct Board : OffscreenBoard {
    Board() : OffscreenBoard({inputFile()}, screen) {}
};

// Printable ASCII throughout (the file's path is), naming the file once, ending in a full stop.
bool isWholeRefusal(const std::string& message) {
    const std::string path = QFile::encodeName(inputFile()).toStdString();
    const std::string start = "The position could not be loaded from " + path + ": ";
    return message.starts_with(start) && message.ends_with('.') &&
           message.find(path, start.size()) == std::string::npos &&
           std::all_of(message.begin(), message.end(),
                       [](char c) { return c >= 0x20 && c < 0x7f; });
}

void checkAcceptedBoard(Board& board) {
    // A repaint with no piece in hand.
    board.mouse.mouseMove(0, 0, 1, 1);

    // What was accepted is written back as a file that loads as the same position. (Save's
    // own file handling, with its sync to disk, is left to the unit tests: it would dominate.)
    const QByteArray loaded = positionText(board.form);
    writeFile(loaded);
    Board again;
    again.fileMenu.LoadClick();
    require(positionText(again.form) == loaded, "Save then Load changed the position");

    // Dragging a loaded piece may overflow for a piece at the edge of the 16-bit range; that is
    // reported to the user like any other overflow, not a crash.
    const VIDEVER& first = board.form.pieceAt(1);
    const float x = first.X();
    const float y = first.Y();
    try {
        board.mouse.mouseDown(1, 0, x, y);
        board.mouse.mouseMove(1, 0, x + 7, y + 3);
        board.mouse.mouseUp(1, 0, -10, -10);
    } catch (const ProgramError&) {
    }

    board.form.KngClick();
    board.form.SmallClick();
    board.form.LargeClick();
    board.form.NormalClick();
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeFile(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    Board board;
    const BoardSnapshot before(board);
    try {
        board.fileMenu.LoadClick();
    } catch (const PositionFileError& error) {
        require(BoardSnapshot(board) == before, "a refused Load changed the board");
        require(isWholeRefusal(error.what()),
                "a refusal is not one whole sentence naming the file");
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "position-file-fuzzer: Load threw: %s\n", error.what());
        std::abort();
    }
    try {
        checkAcceptedBoard(board);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "position-file-fuzzer: an accepted file broke the board: %s\n",
                     error.what());
        std::abort();
    }
    return 0;
}
