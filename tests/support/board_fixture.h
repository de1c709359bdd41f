#pragma once

#include <gtest/gtest.h>

#include <QRgb>
#include <string>

#include "offscreen/offscreen_board.h"

// The board without a display, its position file in a private temporary folder of its own test.
class BoardTest : public ::testing::Test, public OffscreenBoard {
protected:
    BoardTest();

    // The colour of the logical pixel (x, y) on the surface.
    QRgb pixel(int x, int y);

    // Drags with one button: press at from, one move to to, release at to.
    void drag(float fromX, float fromY, float toX, float toY, int button = 1);

    // The position file's name as messages show it: with the system's separators.
    std::string shownName() const;

    // A refusal is one whole sentence that starts "The position could not be <done> <the file's
    // name>: ", names the file only there, gives the reason, and is printable ASCII throughout.
    void expectOneSentenceNamingTheFile(const std::string& message, const std::string& done,
                                        const std::string& reason) const;
};
