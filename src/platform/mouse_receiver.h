#pragma once

// What a window's mouse events go to: the button and modifier-key state, then the pointer in
// client pixels.
class MouseReceiver {
public:
    virtual ~MouseReceiver() = default;
    virtual void mouseDown(int button, int shift, float x, float y) = 0;
    virtual void mouseMove(int button, int shift, float x, float y) = 0;
    virtual void mouseUp(int button, int shift, float x, float y) = 0;
};
