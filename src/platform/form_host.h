#pragma once

// What the board window needs from the window system around it. The real main window and the
// offscreen host used by tests, benchmarks and the fuzzer both provide it.
class FormHost {
public:
    virtual ~FormHost() = default;
    // The window's outer size in twips (1/1440 inch). The drawing surface follows at once.
    virtual void setOuterSize(float widthTwips, float heightTwips) = 0;
    // The platform's standard beep.
    virtual void beep() = 0;
    // Ends the program.
    virtual void endProgram() = 0;
};
