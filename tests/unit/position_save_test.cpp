#include <sys/ioctl.h>
#include <sys/resource.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>

#include "persistence/position_text.h"
#include "platform/errors.h"
#include "platform/position_file_location.h"
#include "support/board_fixture.h"

namespace {
// The starting position at the Normal size, written out by hand from the table of centres:
// rows 0, 1, 2, 5, 6, 7, and in each row the squares whose column plus row is even.
const QByteArray normalStart =
    " 40  40  15 \r\n"
    " 0  0  0 \r\n"
    " 0  0  0 \r\n"
    " 0  0  0 \r\n"
    " 0  0  0 \r\n"
    " 0  0  0 \r\n"
    " 0  0  0 \r\n"
    " 0  0  0 \r\n"
    " 0  0  0 \r\n"
    " 20  20  1 \r\n"
    " 100  20  1 \r\n"
    " 180  20  1 \r\n"
    " 260  20  1 \r\n"
    " 60  60  1 \r\n"
    " 140  60  1 \r\n"
    " 220  60  1 \r\n"
    " 300  60  1 \r\n"
    " 20  100  1 \r\n"
    " 100  100  1 \r\n"
    " 180  100  1 \r\n"
    " 260  100  1 \r\n"
    " 60  220  2 \r\n"
    " 140  220  2 \r\n"
    " 220  220  2 \r\n"
    " 300  220  2 \r\n"
    " 20  260  2 \r\n"
    " 100  260  2 \r\n"
    " 180  260  2 \r\n"
    " 260  260  2 \r\n"
    " 60  300  2 \r\n"
    " 140  300  2 \r\n"
    " 220  300  2 \r\n"
    " 300  300  2 \r\n";

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Restores a process-wide setting when a test is done with it, even if an assertion failed.
template <typename Undo>
class Restore {
public:
    explicit Restore(Undo undo) : m_undo(std::move(undo)) {}
    ~Restore() { m_undo(); }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

private:
    Undo m_undo;
};
}  // namespace

TEST_F(BoardTest, SaveWritesTheNormalStartExactly) {
    form.SaveClick();
    EXPECT_EQ(bytesOf(positionFile), normalStart);
}

TEST_F(BoardTest, SavingTwiceLeavesOnlyTheSecondPosition) {
    // The Large position is the longer file, so anything left of it would show.
    form.LargeClick();
    form.SaveClick();
    form.NormalClick();
    form.SaveClick();
    EXPECT_EQ(bytesOf(positionFile), normalStart);
}

TEST_F(BoardTest, SaveCreatesTheMissingFolder) {
    ASSERT_TRUE(QDir(QFileInfo(positionFile).absolutePath()).removeRecursively());
    form.SaveClick();
    EXPECT_EQ(bytesOf(positionFile), normalStart);
}

namespace {
// A board whose Save is about to fail: what it shows and holds must not change, and the user
// must be told which file could not be saved.
class FailingSaveTest : public BoardTest {
protected:
    void expectSaveFails() {
        const QByteArray stateBefore = positionText(form);
        const QImage pictureBefore = surface.image();
        try {
            form.SaveClick();
            ADD_FAILURE() << "Save succeeded";
        } catch (const PositionFileError& error) {
            EXPECT_NE(std::string(error.what()).find(positionFile.toStdString()), std::string::npos)
                << error.what();
        }
        EXPECT_EQ(positionText(form), stateBefore);
        EXPECT_EQ(surface.image(), pictureBefore);
    }
};
}  // namespace

TEST_F(FailingSaveTest, DirectoryAtThePathStaysAsItWas) {
    ASSERT_TRUE(QDir().mkpath(positionFile));
    writeBytes(positionFile + "/inside.txt", "kept");
    form.LargeClick();
    expectSaveFails();
    EXPECT_TRUE(QFileInfo(positionFile).isDir());
    EXPECT_EQ(bytesOf(positionFile + "/inside.txt"), "kept");
}

TEST_F(FailingSaveTest, PlainFileWhereTheFolderMustBeStaysAsItWas) {
    const QString folder = QFileInfo(positionFile).absolutePath();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    writeBytes(folder, "not a folder");
    expectSaveFails();
    EXPECT_EQ(bytesOf(folder), "not a folder");
}

TEST_F(FailingSaveTest, FolderThatRefusesNewFilesKeepsThePreviousFile) {
    form.SaveClick();
    const QString folder = QFileInfo(positionFile).absolutePath();
    // An immutable folder refuses new entries even to root; the old file itself stays writable,
    // so only a Save that writes beside it and swaps fails here.
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(descriptor, 0);
    int flags = 0;
    ASSERT_EQ(::ioctl(descriptor, FS_IOC_GETFLAGS, &flags), 0);
    const int immutable = flags | FS_IMMUTABLE_FL;
    if (::ioctl(descriptor, FS_IOC_SETFLAGS, &immutable) != 0) {
        ::close(descriptor);
        GTEST_SKIP() << "this file system or container cannot make a folder immutable";
    }
    const Restore thaw([&] {
        ::ioctl(descriptor, FS_IOC_SETFLAGS, &flags);
        ::close(descriptor);
    });
    form.LargeClick();
    expectSaveFails();
    EXPECT_EQ(bytesOf(positionFile), normalStart);
}

TEST_F(FailingSaveTest, WriteCutShortKeepsThePreviousFile) {
    form.LargeClick();
    form.SaveClick();
    const QByteArray previous = bytesOf(positionFile);
    // A file size limit makes the write fail part-way, as a full disk would.
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const Restore unlimit([&] {
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, oldHandler);
    });
    rlimit small = limit;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    form.NormalClick();
    expectSaveFails();
    EXPECT_EQ(bytesOf(positionFile), previous);
    // Nor is the half-written new file left lying beside it.
    EXPECT_EQ(QDir(QFileInfo(positionFile).absolutePath()).entryList(QDir::Files),
              QStringList{"Videver.txt"});
}

TEST(PositionFileLocation, LiesInTheApplicationDataFolder) {
    const QString location = positionFileLocation();
    EXPECT_TRUE(location.endsWith("/draughtsboard/Videver.txt")) << location.toStdString();
    EXPECT_EQ(location,
              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/Videver.txt");
}

TEST(PositionFileLocation, HonoursXdgDataHomeAndFallsBackToTheHomeFolder) {
    // Test mode hides the user's own folders, so it is switched off for this check only, with
    // private folders standing in for them.
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QByteArray oldHome = qgetenv("HOME");
    const bool hadXdg = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
    const Restore restore([&] {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("HOME", oldHome);
        if (hadXdg) {
            qputenv("XDG_DATA_HOME", oldXdg);
        } else {
            qunsetenv("XDG_DATA_HOME");
        }
    });
    QStandardPaths::setTestModeEnabled(false);
    qputenv("HOME", QFile::encodeName(scratch.path() + "/home"));

    qputenv("XDG_DATA_HOME", QFile::encodeName(scratch.path() + "/data"));
    EXPECT_EQ(positionFileLocation(), scratch.path() + "/data/draughtsboard/Videver.txt");

    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(positionFileLocation(),
              scratch.path() + "/home/.local/share/draughtsboard/Videver.txt");
}
