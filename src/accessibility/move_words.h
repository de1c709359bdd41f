#pragma once

#include <QString>
#include <optional>

class Form1;
struct MouseOutcome;

// Each move in one sentence, whoever made it, spoken when the piece is put down: the side, where
// it came from and where it went ("Blue 22 to 18.", "Red 9 taken to red tray cell 1.", "Refused:
// blue 22 to a white square, back on 22."). The pick-up point is where the piece came from.
namespace words {

// The sentence for a piece put down, refused or put back; nothing for any other outcome.
QString moveSentence(const Form1& form, const MouseOutcome& outcome);
// "Picked up red 9.", for the player who cannot see the piece rise.
QString pickUpSentence(const Form1& form, int piece);
// What is carried, from where and over which square, or that nothing is.
QString carriedReading(const Form1& form, std::optional<int> carried);

}  // namespace words
