#include "platform/int16.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "platform/errors.h"

std::int16_t toInt16(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max())) {
        char shown[32];
        std::snprintf(shown, sizeof shown, "%.10g", value);
        throw OverflowError(std::string("The number ") + shown +
                            " is outside the range -32768 to 32767.");
    }
    return static_cast<std::int16_t>(rounded);
}

std::int16_t multiply16(int factor, std::int16_t value) {
    return toInt16(static_cast<double>(factor) * value);
}
