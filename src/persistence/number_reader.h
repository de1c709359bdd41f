#pragma once

#include <QByteArray>
#include <optional>
#include <vector>

// One field of the position file as it was written, with the line it starts on.
struct Field {
    QByteArray text;
    int line = 1;
};

// The position file's fields in order, and the line its end lies on.
struct Fields {
    std::vector<Field> fields;
    int lastLine = 1;
};

// Splits a position file paying no attention to lines: blanks (spaces, tabs, CRs, LFs) before a
// field are skipped; a field ends at a blank or a comma, and a comma after the spaces that end a
// field belongs to them ("1 , 2" is two fields). CR LF, LF and CR alone each end one line.
Fields splitFields(const QByteArray& bytes);

// A field's value, the same in every locale, if it is a decimal number of at most 64 characters
// (sign, digits with an optional point, exponent); beyond the range of reals it is infinite or 0.
std::optional<double> parseNumber(const QByteArray& text);
