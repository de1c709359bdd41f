#include "platform/beep.h"

#include <QApplication>

#ifdef Q_OS_LINUX
#include <alsa/error.h>
#include <canberra.h>

namespace {
// libcanberra falls back to ALSA, whose library prints a screenful of its own errors when the
// machine has no sound card. No sound card only means a silent bell.
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
}  // namespace
#endif

Beep::Sound Beep::soundFor(const QString& platformName) {
    // The Qt platforms that give QApplication::beep() a sound.
    const bool hasOwnBeep = platformName == QLatin1String("xcb") ||
                            platformName == QLatin1String("windows") ||
                            platformName == QLatin1String("cocoa");
    return hasOwnBeep ? Sound::WindowSystem : Sound::SoundTheme;
}

Beep::Beep(Sound sound) : m_sound(sound) {
#ifdef Q_OS_LINUX
    if (m_sound == Sound::SoundTheme) {
        snd_lib_error_set_handler(ignoreAlsaError);
        if (ca_context_create(&m_context) != CA_SUCCESS) {
            m_context = nullptr;
        }
    }
#endif
}

Beep::~Beep() {
#ifdef Q_OS_LINUX
    if (m_context != nullptr) {
        ca_context_destroy(m_context);
    }
#endif
}

void Beep::play() {
    if (m_sound == Sound::WindowSystem) {
        QApplication::beep();
        return;
    }
#ifdef Q_OS_LINUX
    if (m_context != nullptr) {
        ca_context_play(m_context, 0, CA_PROP_EVENT_ID, "bell-window-system",
                        CA_PROP_EVENT_DESCRIPTION, "Move refused", nullptr);
    }
#endif
}
