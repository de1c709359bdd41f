#pragma once

#include <QByteArray>

// One number as the position file writes it: a sign position (space, or minus for a negative
// value), the digits, then one trailing space. 40 becomes " 40 ", 0 becomes " 0 ".
QByteArray numberField(double value);
