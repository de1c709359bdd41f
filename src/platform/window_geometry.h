#pragma once

#include <QSize>

// Pixels for a length in twips (1/1440 inch) at the given dots per inch, to the nearest pixel.
int twipsToPixels(double twips, double dotsPerInch);

// The outer window size in pixels for a size in twips, limited to what the screen offers so that
// no size asked for can make the program allocate more than a screenful.
QSize outerPixelSize(double widthTwips, double heightTwips, double dpiX, double dpiY,
                     QSize available);
