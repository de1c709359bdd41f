#include "persistence/saved_position.h"

#include <cmath>
#include <string>

#include "board/size_limits.h"
#include "persistence/number_reader.h"
#include "persistence/position_file_error.h"
#include "persistence/visible_text.h"
#include "platform/int16.h"

namespace {
constexpr qsizetype shownLength = 24;

std::string quoted(const QByteArray& text) {
    return '\'' + visibleField(text.left(shownLength)) + (text.size() > shownLength ? "...'" : "'");
}

// Reads fields in order and names the first one that is wrong.
class FieldReader {
public:
    FieldReader(const QByteArray& bytes, const std::string& failure)
        : m_split(splitFields(bytes)), m_failure(failure) {}

    double number(const std::string& name) {
        if (m_next == m_split.fields.size()) {
            fail(m_split.lastLine, "the file ends before " + name);
        }
        m_last = &m_split.fields[m_next++];
        const std::optional<double> value = parseNumber(m_last->text);
        if (!value) {
            fail(m_last->line, name + " " + quoted(m_last->text) + " is not a number");
        }
        return *value;
    }

    std::int16_t int16(const std::string& name) {
        const double value = number(name);
        if (!fitsInt16(value)) {
            complain(name, "is outside the range -32768 to 32767");
        }
        return toInt16(value);
    }

    // The field read last, as written.
    std::string lastText() const { return quoted(m_last->text); }

    // Names the field read last.
    [[noreturn]] void complain(const std::string& name, const std::string& problem) const {
        failAtLastField(name + " " + quoted(m_last->text) + " " + problem);
    }

    [[noreturn]] void failAtLastField(const std::string& problem) const {
        fail(m_last->line, problem);
    }

private:
    [[noreturn]] void fail(qint64 line, const std::string& problem) const {
        throw PositionFileError(m_failure, "line " + std::to_string(line) + ": " + problem);
    }

    const Fields m_split;
    const std::string& m_failure;
    std::size_t m_next = 0;
    const Field* m_last = nullptr;
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
    FieldReader fields(bytes, failure);
    SavedPosition position;

    position.CellSize = fields.number("the square size");
    if (!(position.CellSize > 0)) {
        fields.complain("the square size", "is not a positive number");
    }
    if (std::isinf(position.CellSize)) {
        fields.complain("the square size", "is too large to draw the board");
    }
    if (!squaresLargeEnoughToDivideBy(position.CellSize)) {
        fields.complain("the square size", "is too small to play on");
    }
    const std::string cellSizeText = fields.lastText();
    position.CellSizeI = fields.int16("the whole-pixel square size");
    if (position.CellSizeI <= 0) {
        fields.complain("the whole-pixel square size", "is not a positive number");
    }
    if (!sizesFitSixteenBits(position.CellSize, position.CellSizeI)) {
        fields.failAtLastField("the square sizes " + cellSizeText + " and " + fields.lastText() +
                               " are too large to draw the board");
    }
    position.PieceRadius = fields.int16("the piece radius");
    if (position.PieceRadius < 0) {
        fields.complain("the piece radius", "is negative");
    }

    readTray(fields, position.Tray1, "red");
    readTray(fields, position.Tray2, "blue");

    position.pieces.resize(static_cast<std::size_t>(pieceCount));
    for (int index = 0; index < pieceCount; ++index) {
        const std::string piece = " of piece " + std::to_string(index + 1);
        SavedPosition::Piece& saved = position.pieces[static_cast<std::size_t>(index)];
        saved.X = fields.int16("the x" + piece);
        saved.Y = fields.int16("the y" + piece);
        saved.SH_TYPE = fields.int16("the side" + piece);
    }
    return position;
}
