#include "platform/int16.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "platform/errors.h"

bool fitsInt16(double value) {
    const double rounded = roundHalfEven(value);
    return rounded >= std::numeric_limits<std::int16_t>::min() &&
           rounded <= std::numeric_limits<std::int16_t>::max();
}

std::int16_t toInt16(double value) {
    if (!fitsInt16(value)) {
        // Written the same in every locale.
        char shown[32];
        const auto end =
            std::to_chars(shown, shown + sizeof shown, value, std::chars_format::general, 10).ptr;
        throw OverflowError("The number " + std::string(shown, end) +
                            " is outside the range -32768 to 32767.");
    }
    return static_cast<std::int16_t>(roundHalfEven(value));
}

std::int16_t multiply16(int factor, std::int16_t value) {
    return toInt16(static_cast<double>(factor) * value);
}
