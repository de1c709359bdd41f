#include "platform/beep.h"

#include <QApplication>

#ifdef Q_OS_LINUX
#include <alsa/error.h>
#include <canberra.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// A sound server that accepts a connection and never answers holds every libcanberra call
// for half a minute, so the context is opened, used and closed on a thread of its own. The
// thread shares this with the Beep, and keeps it alive for as long as it runs.
struct SoundThemeBell {
    std::mutex mutex;
    std::condition_variable changed;
    bool ringing = false;
    bool stopping = false;
    bool stopped = false;
    std::thread thread;
};

namespace {
// libcanberra falls back to ALSA, whose library prints a screenful of its own errors when the
// machine has no sound card. No sound card only means a silent bell.
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void ringWhenAsked(const std::shared_ptr<SoundThemeBell>& bell) {
    snd_lib_error_set_handler(ignoreAlsaError);
    // Kept open, so that a bell is not cut short.
    ca_context* context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS) {
        context = nullptr;
    }
    std::unique_lock lock(bell->mutex);
    while (true) {
        bell->changed.wait(lock, [&] { return bell->ringing || bell->stopping; });
        if (bell->stopping) {
            break;
        }
        lock.unlock();
        if (context != nullptr) {
            ca_context_play(context, 0, CA_PROP_EVENT_ID, "bell-window-system",
                            CA_PROP_EVENT_DESCRIPTION, "Move refused", nullptr);
        }
        lock.lock();
        bell->ringing = false;
    }
    lock.unlock();
    if (context != nullptr) {
        ca_context_destroy(context);
    }
    lock.lock();
    bell->stopped = true;
    bell->changed.notify_all();
}
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
        m_bell = std::make_shared<SoundThemeBell>();
        m_bell->thread = std::thread(ringWhenAsked, m_bell);
    }
#endif
}

Beep::~Beep() {
#ifdef Q_OS_LINUX
    if (m_bell == nullptr) {
        return;
    }
    std::unique_lock lock(m_bell->mutex);
    m_bell->stopping = true;
    m_bell->changed.notify_all();
    // An idle thread closes the context and ends at once. One stuck in a hung sound server is
    // left to it, so that the program still ends at once; the end of the process ends it.
    const bool stopped = m_bell->changed.wait_for(lock, std::chrono::milliseconds(250),
                                                  [&] { return m_bell->stopped; });
    lock.unlock();
    if (stopped) {
        m_bell->thread.join();
    } else {
        m_bell->thread.detach();
    }
#endif
}

void Beep::play() {
    if (m_sound == Sound::WindowSystem) {
        QApplication::beep();
        return;
    }
#ifdef Q_OS_LINUX
    const std::lock_guard lock(m_bell->mutex);
    m_bell->ringing = true;
    m_bell->changed.notify_all();
#endif
}
