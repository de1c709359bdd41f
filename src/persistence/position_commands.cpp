#include "persistence/position_file.h"

#include <QDir>
#include <QFileInfo>

#include "board/form1.h"
#include "platform/files.h"
#include "platform/int16.h"

namespace {
// Text from a file name or a failure as a message can show it whole: a character that would
// reorder, break or hide the text around it (a control, a bidirectional mark, a line or
// paragraph separator, a zero-width or other format character) appears as \x and two hex digits
// below 128 (a tab as \x09), else as \u and four (a right-to-left override as \u202e), or \U and
// eight beyond the first 65536.
std::string visible(const QString& text) {
    std::string shown;
    for (const char32_t c : text.toStdU32String()) {
        const QChar::Category kind = QChar::category(c);
        if (kind != QChar::Other_Control && kind != QChar::Other_Format &&
            kind != QChar::Separator_Line && kind != QChar::Separator_Paragraph) {
            shown += QString::fromUcs4(&c, 1).toStdString();
            continue;
        }
        const auto [letter, digits] = c < 0x80      ? std::pair{'x', 2}
                                      : c <= 0xffff ? std::pair{'u', 4}
                                                    : std::pair{'U', 8};
        shown += std::string{'\\', letter} +
                 QByteArray::number(uint(c), 16).rightJustified(digits, '0').toStdString();
    }
    return shown;
}

// The path of the position file, or the message that there is none; failed names what could
// not be done, for the one sentence a failure shows.
const QString& positionFilePath(const PositionFileLocation& location, const char* failed) {
    if (location.path.isEmpty()) {
        throw PositionFileError(std::string("The position could not be ") + failed,
                                location.missing);
    }
    return location.path;
}

std::string shown(const QString& path) {
    return visible(QDir::toNativeSeparators(path));
}

// Runs a file operation; its failure becomes one sentence that begins with failure.
template <typename Operation>
auto reportingAs(const std::string& failure, Operation operation) {
    try {
        return operation();
    } catch (const FileError& error) {
        throw PositionFileError(failure, visible(QString::fromUtf8(error.what())));
    }
}
}  // namespace

void PositionCommands::SaveClick() {
    const QString& path = positionFilePath(m_location, "saved");
    reportingAs("The position could not be saved to " + shown(path),
                [&] { replaceRegularFile(path, positionText(m_form)); });
}

void PositionCommands::LoadClick() {
    const QString& path = positionFilePath(m_location, "loaded");
    const QString& source =
        m_location.fallback.isEmpty() || QFileInfo::exists(path) ? path : m_location.fallback;
    const std::string failure = "The position could not be loaded from " + shown(source);
    const std::optional<QByteArray> bytes =
        reportingAs(failure, [&] { return readRegularFile(source, largestPositionFile); });
    if (!bytes) {
        throw PositionFileError(failure, "it is too large to be a position file");
    }
    // All or nothing: every number is read and checked before anything changes.
    const std::vector<double> numbers = readPositionNumbers(*bytes, m_form.pieceCount(), failure);
    auto next = numbers.begin();
    m_form.CellSize = *next++;
    m_form.CellSizeI = toInt16(*next++);
    m_form.PieceRadius = toInt16(*next++);
    // Row 0 and column 0 of the trays are no cells and keep what they hold.
    for (TrayGrid* tray : {&m_form.Tray1, &m_form.Tray2}) {
        for (const TrayCell cell : TrayGrid::cells) {
            (*tray)(cell) = toInt16(*next++);
        }
    }
    for (VIDEVER& piece : m_form.Pieces) {
        piece.setX(*next++);
        piece.setY(*next++);
        piece.setSH_TYPE(*next++);
        piece.setR(m_form.PieceRadius);
    }
    m_form.Redraw();
}
