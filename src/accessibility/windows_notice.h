#pragma once

#include <QString>
#include <QWidget>

// Hands words to screen readers that take them from the window system directly. On Windows,
// Qt 6.4's UI Automation bridge passes on no notification of its own, so the words go to
// Narrator and NVDA as a UI Automation notification of the window; elsewhere Qt's bridge
// carries them (AT-SPI), and this does nothing.
void sayToWindowsScreenReaders(const QWidget& window, const QString& words);
