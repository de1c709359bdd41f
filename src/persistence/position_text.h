#pragma once

#include <QByteArray>

class Form1;

// The whole position as Save writes it: the header line with the square size (twice) and the
// piece radius, four lines for each tray, then one line per piece with its centre and side, in
// collection order. Each number is a sign position (space, or minus), its digits and a space
// (40 becomes " 40 "); every line ends with CR LF.
QByteArray positionText(const Form1& form);
