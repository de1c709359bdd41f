#include <gtest/gtest.h>
#ifdef __linux__
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstring>

#include "platform/beep.h"

#ifdef __linux__
namespace {
using Clock = std::chrono::steady_clock;

// A sound server that takes every connection and never answers, as a hung one does: the
// libcanberra of the test machine then waits half a minute for it in every call.
class HungSoundServer {
public:
    HungSoundServer() {
        const QByteArray path = QFile::encodeName(m_folder.path() + "/native");
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), path.size());
        m_listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
        EXPECT_EQ(::bind(m_listening, reinterpret_cast<const sockaddr*>(&address), sizeof(address)),
                  0);
        EXPECT_EQ(::listen(m_listening, 8), 0);
        qputenv("PULSE_SERVER", "unix:" + path);
        qputenv("CANBERRA_DRIVER", "pulse");
    }
    ~HungSoundServer() {
        qunsetenv("PULSE_SERVER");
        qunsetenv("CANBERRA_DRIVER");
        if (m_caller >= 0) {
            ::close(m_caller);
        }
        ::close(m_listening);
    }
    HungSoundServer(const HungSoundServer&) = delete;
    HungSoundServer& operator=(const HungSoundServer&) = delete;

    // Takes the next connection, waiting up to ten seconds for it; then says nothing.
    bool called() {
        pollfd waiting{m_listening, POLLIN, 0};
        if (::poll(&waiting, 1, 10000) != 1) {
            return false;
        }
        m_caller = ::accept(m_listening, nullptr, nullptr);
        return m_caller >= 0;
    }

private:
    QTemporaryDir m_folder;
    int m_listening = -1;
    int m_caller = -1;
};
}  // namespace
#endif

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

// The sound-theme bell, its sound card and its sound server exist only on Linux.
#ifdef __linux__
TEST(Beep, BellWithoutASoundCardIsSilentAndSaysNothing) {
    // The test machine has neither a sound card nor a sound server. The bell rings on a
    // thread of its own until it ends, so its whole life is watched.
    ::testing::internal::CaptureStderr();
    {
        Beep bell(Beep::Sound::SoundTheme);
        EXPECT_NO_THROW(bell.play());
        EXPECT_NO_THROW(bell.play());
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(Beep, BellNeverWaitsForAHungSoundServerNorKeepsTheProgramFromEnding) {
    // Each step would take half a minute if it waited for the server; two seconds tell a
    // hang from a busy machine.
    constexpr auto hang = std::chrono::seconds(2);
    HungSoundServer server;
    auto bell = std::make_unique<Beep>(Beep::Sound::SoundTheme);

    Clock::time_point started = Clock::now();
    bell->play();
    EXPECT_LT(Clock::now() - started, hang) << "the first bell";
    ASSERT_TRUE(server.called()) << "the bell never reached the sound server";

    // The first bell is still waiting for the server: the second is dropped.
    started = Clock::now();
    bell->play();
    bell->play();
    EXPECT_LT(Clock::now() - started, hang) << "the bells while one waits";

    started = Clock::now();
    bell.reset();
    EXPECT_LT(Clock::now() - started, hang) << "the end of the bell";
}
#endif
