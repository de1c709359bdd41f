#pragma once

#include <QByteArray>
#include <optional>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/position_file_location.h"

class Form1;

// Saving or loading the position file failed. The message is one sentence that names the file
// once: what could not be done, then why ("The position could not be loaded from
// /home/ann/.local/share/draughtsboard/Videver.txt: there is no such file.").
class PositionFileError : public ProgramError {
public:
    PositionFileError(const std::string& failure, const std::string& reason)
        : ProgramError(failure + ": " + reason + ".") {}
};

// The File menu's Save and Load: the whole position written to the position file and read back.
// Without a place for the file (no usable home folder) both say so.
class PositionCommands {
public:
    PositionCommands(Form1& form, PositionFileLocation location)
        : m_form(form), m_location(std::move(location)) {}

    void SaveClick();
    void LoadClick();

private:
    Form1& m_form;
    PositionFileLocation m_location;
};

// A position file is under 1 KiB; no more than this is read of any file, so that any file is
// answered at once whatever its size.
inline constexpr qint64 largestPositionFile = 64 * 1024;

// The numbers of a position file, in file order: the square size, the whole-pixel square size
// and the piece radius, the twelve red then the twelve blue tray marks, then x, y and side of
// pieceCount pieces. All are checked before any is returned, so a Load is all or nothing: every
// number but the first fits 16 bits, and the sizes leave the board usable. A number ends at a
// blank (space, tab, CR, LF) or a comma, and a comma after the spaces that end it goes with them
// ("1 , 2" is two numbers, "1,,2" three). CR LF, LF and CR each end a line; a byte order mark
// at the start, which some editors write, is skipped; what follows the last number is never
// looked at. Throws PositionFileError, failure followed by the line and the value, at the first
// number that is wrong.
std::vector<double> readPositionNumbers(const QByteArray& bytes, int pieceCount,
                                        const std::string& failure);

// A field's value in any locale, if it is a decimal number of at most 64 characters (sign, digits
// with an optional point, exponent); beyond the range of reals it is infinite, or the smallest
// real of its sign, so that it stays as large, and as positive, as it was written.
std::optional<double> parseNumber(const QByteArray& text);

// The whole position as Save writes it: the header line with the square size (twice) and the
// piece radius, four lines for each tray, then one line per piece with its centre and side, in
// collection order. Each number is a sign position (space, or minus), its digits and a space
// (40 becomes " 40 "); every line ends with CR LF.
QByteArray positionText(const Form1& form);
