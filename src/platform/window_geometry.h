#pragma once

#include <QRect>
#include <QSize>

// Pixels for a length in twips (1/1440 inch) at the given dots per inch, to the nearest pixel.
int twipsToPixels(double twips, double dotsPerInch);

// The outer window size in pixels for a size in twips, limited to what the screen offers so that
// no size asked for can make the program allocate more than a screenful.
QSize outerPixelSize(double widthTwips, double heightTwips, double dpiX, double dpiY,
                     QSize available);

// Screen positions for assistive technology. Qt's Windows bridge turns logical pixels into the
// device's itself; its AT-SPI bridge (Qt 6.4) passes them on as they are, while readers there
// work in the window system's device pixels, so a scaled screen needs them turned here. Qt keeps
// a screen's top-left corner the same in both. A rectangle turns into exactly the device pixels
// that a pointer finds inside it, and a device point back into the logical pixel a pointer there
// finds, so that squares side by side tile and a point leads back to the square around it.
QRect accessibleScreenRect(const QRect& logical, const QRect& screenGeometry, qreal ratio);
QPoint logicalScreenPoint(QPoint accessible, const QRect& screenGeometry, qreal ratio);
