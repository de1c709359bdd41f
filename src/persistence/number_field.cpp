#include "persistence/number_field.h"

#include <charconv>
#include <cmath>

QByteArray numberField(double value) {
    QByteArray field(1, value < 0 ? '-' : ' ');
    const double magnitude = std::fabs(value);
    char digits[64];
    // Whole numbers, all the program itself ever holds, are plain digits; a fraction that a
    // hand-edited file brought in is kept exactly, in the shortest form that reads back the same.
    const auto written =
        std::floor(magnitude) == magnitude && magnitude < 1e15
            ? std::to_chars(digits, digits + sizeof digits, magnitude, std::chars_format::fixed, 0)
            : std::to_chars(digits, digits + sizeof digits, magnitude);
    field.append(digits, written.ptr - digits);
    field.append(' ');
    return field;
}
