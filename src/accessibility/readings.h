#pragma once

#include <QString>

class Form1;

// What the board reads on request, in few words.
namespace words {

// The sides a reading can ask for, in the order the whole position reads them.
enum class Side { Red, Blue, Black, Invisible };

// Where one side's pieces lie: "Red on 1, 2, 9; 1 in the red tray." A carried piece lies nowhere.
// Red and blue are read always, the others only when some piece has that side.
QString sideReading(const Form1& form, Side side, bool always = true);
// Every side's pieces.
QString positionReading(const Form1& form);
// The dark squares of one row, then any other square of it that holds something: "Row 4: 13
// empty, 14 empty, 15 red, 16 empty."
QString rowReading(const Form1& form, int row);
// The keys, in a sentence or two.
QString keyHelp();

}  // namespace words
