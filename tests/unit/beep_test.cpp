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

TEST(Beep, BellWithoutASoundCardIsSilentAndSaysNothing) {
    // The test machine has neither a sound card nor a sound server.
    Beep bell(Beep::Sound::SoundTheme);
    ::testing::internal::CaptureStderr();
    EXPECT_NO_THROW(bell.play());
    EXPECT_NO_THROW(bell.play());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}
