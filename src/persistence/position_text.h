#pragma once

#include <QByteArray>

class Form1;

// The whole position as the position file holds it: the header line with the square size (twice)
// and the piece radius, four lines for each tray, then one line per piece with its centre and
// side, in collection order. Every line ends with CR LF.
QByteArray positionText(const Form1& form);
