#include <gtest/gtest.h>

#include "platform/beep.h"

TEST(Beep, WindowSystemBeepWhereQtHasOneAndTheSoundThemeBellElsewhere) {
    for (const char* platform : {"xcb", "windows", "cocoa"}) {
        EXPECT_EQ(Beep::soundFor(QString::fromLatin1(platform)), Beep::Sound::WindowSystem)
            << platform;
    }
    for (const char* platform : {"wayland", "wayland-egl", "offscreen"}) {
        EXPECT_EQ(Beep::soundFor(QString::fromLatin1(platform)), Beep::Sound::SoundTheme)
            << platform;
    }
}

TEST(Beep, BellWithoutASoundServerIsSilentAndNoError) {
    // The test machine has no sound server and may have no sound theme.
    Beep bell(Beep::Sound::SoundTheme);
    EXPECT_NO_THROW(bell.play());
    EXPECT_NO_THROW(bell.play());
}
