#pragma once

#include <QString>
#include <memory>

struct SoundThemeBell;

// The platform's standard beep, the only feedback a refused drop gives. Qt's own beep sounds
// where the window system has one (X11, Windows, macOS); elsewhere, Wayland above all, it is
// silent, so the desktop's sound-theme bell is played instead.
class Beep {
public:
    enum class Sound { WindowSystem, SoundTheme };

    // Which sound a Qt platform plugin of this name gives.
    static Sound soundFor(const QString& platformName);

    explicit Beep(Sound sound);
    ~Beep();
    Beep(const Beep&) = delete;
    Beep& operator=(const Beep&) = delete;

    // Plays the sound and returns at once, even while a sound server hangs: the sound-theme
    // bell rings on a thread of its own, and a bell asked for while the last one is still
    // being rung is dropped. A missing sound server or theme is no error: the beep is then
    // silent, as it would be anyway.
    void play();

private:
    Sound m_sound;
    std::shared_ptr<SoundThemeBell> m_bell;
};
