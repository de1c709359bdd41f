#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <csignal>
#include <utility>

#include "offscreen/position_files.h"
#include "persistence/position_file.h"
#include "platform/position_file_location.h"
#include "support/board_fixture.h"

#ifndef Q_OS_WIN  // links, pipes, permission bits, file size limits and immutable folders
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
const QByteArray normalStart = startingPositionLines(40, 15).join();

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
    fileMenu.SaveClick();
    EXPECT_EQ(bytesOf(positionFile), normalStart);
}

TEST_F(BoardTest, SavingTwiceLeavesOnlyTheSecondPosition) {
    // The Large position is the longer file, so anything left of it would show.
    form.LargeClick();
    fileMenu.SaveClick();
    form.NormalClick();
    fileMenu.SaveClick();
    EXPECT_EQ(bytesOf(positionFile), normalStart);
}

TEST_F(BoardTest, SaveCreatesTheMissingFolder) {
    ASSERT_TRUE(QDir(QFileInfo(positionFile).absolutePath()).removeRecursively());
    fileMenu.SaveClick();
    EXPECT_EQ(bytesOf(positionFile), normalStart);
}

#ifndef Q_OS_WIN  // a link on Windows is a shortcut file, which Save replaces like any file
TEST_F(BoardTest, SaveThroughALinkReplacesTheFileItLeadsToAndKeepsTheLink) {
    const QString elsewhere = QFileInfo(positionFile).absolutePath() + "/elsewhere";
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(writeBytes(elsewhere + "/Kept.txt", "old"));
    ASSERT_TRUE(QFile::setPermissions(elsewhere + "/Kept.txt",
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::link(elsewhere + "/Kept.txt", positionFile));

    fileMenu.SaveClick();

    EXPECT_EQ(QFileInfo(positionFile).symLinkTarget(), elsewhere + "/Kept.txt");
    EXPECT_EQ(bytesOf(elsewhere + "/Kept.txt"), normalStart);
    EXPECT_EQ(QFile::permissions(elsewhere + "/Kept.txt"), QFile::ReadOwner | QFile::WriteOwner |
                                                               QFile::ReadUser | QFile::WriteUser |
                                                               QFile::ReadGroup);
    EXPECT_EQ(QDir(elsewhere).entryList(QDir::Files), QStringList{"Kept.txt"});
}
#else
TEST_F(BoardTest, SaveReplacesAShortcutAtThePathLikeAnyFile) {
    const QString elsewhere = QFileInfo(positionFile).absolutePath() + "/elsewhere";
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(writeBytes(elsewhere + "/Kept.txt", "old"));
    ASSERT_TRUE(QFile::link(elsewhere + "/Kept.txt", positionFile));
    ASSERT_NE(bytesOf(positionFile), "old");

    fileMenu.SaveClick();

    EXPECT_EQ(bytesOf(positionFile), normalStart);
    EXPECT_EQ(bytesOf(elsewhere + "/Kept.txt"), "old");
}
#endif

TEST_F(BoardTest, SaveLeavesEveryOtherFileInTheFolderAlone) {
    // Names of the form a temporary file of a save could take are the user's all the same.
    const QString folder = QFileInfo(positionFile).absolutePath();
    const QStringList others{"Videver.txt.GGPxtO", "Videver.txt.backup", "Videver.txt.before",
                             "Videver.txt.bak", "Other.txt"};
    for (const QString& name : others) {
        ASSERT_TRUE(writeBytes(folder + "/" + name, "mine"));
    }
    fileMenu.SaveClick();
    fileMenu.SaveClick();

    QStringList expected = others + QStringList{"Videver.txt"};
    expected.sort();
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
              expected);
    for (const QString& name : others) {
        EXPECT_EQ(bytesOf(folder + "/" + name), "mine") << name.toStdString();
    }
    EXPECT_EQ(bytesOf(positionFile), normalStart);
}

#ifndef Q_OS_WIN  // a link on Windows is a shortcut file, which Save replaces like any file
TEST_F(BoardTest, SaveThroughALinkToAFileInTheSameFolderKeepsBoth) {
    const QString folder = QFileInfo(positionFile).absolutePath();
    ASSERT_TRUE(writeBytes(folder + "/Videver.txt.active", "old"));
    ASSERT_TRUE(QFile::link("Videver.txt.active", positionFile));
    fileMenu.SaveClick();
    fileMenu.SaveClick();
    EXPECT_EQ(QFileInfo(positionFile).symLinkTarget(), folder + "/Videver.txt.active");
    EXPECT_EQ(bytesOf(folder + "/Videver.txt.active"), normalStart);
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
              (QStringList{"Videver.txt", "Videver.txt.active"}));
}
#endif

TEST_F(BoardTest, TwoCopiesSavingInTurnBothSucceedAndTheLastOneWins) {
    // Another copy of the program is half-way through its save while this one saves.
    form.LargeClick();
    QSaveFile other(positionFile);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write(" other ");
    form.NormalClick();
    fileMenu.SaveClick();
    EXPECT_EQ(bytesOf(positionFile), normalStart);
    ASSERT_TRUE(other.commit());
    EXPECT_EQ(bytesOf(positionFile), " other ");
    fileMenu.SaveClick();
    EXPECT_EQ(bytesOf(positionFile), normalStart);
    EXPECT_EQ(QDir(QFileInfo(positionFile).absolutePath()).entryList(QDir::Files),
              QStringList{"Videver.txt"});
}

namespace {
// A board whose Save is about to fail: what it shows and holds must not change, and the user
// must be told in one sentence naming the file once why it could not be saved.
class FailingSaveTest : public BoardTest {
protected:
    void expectSaveFails(const std::string& reason) {
        const QByteArray stateBefore = positionText(form);
        showChanges();
        const QImage pictureBefore = surface.image().copy();
        try {
            fileMenu.SaveClick();
            ADD_FAILURE() << "Save succeeded";
        } catch (const PositionFileError& error) {
            expectOneSentenceNamingTheFile(error.what(), "saved to", reason);
        }
        EXPECT_EQ(positionText(form), stateBefore);
        EXPECT_TRUE(showChanges().isEmpty());
        EXPECT_EQ(surface.image(), pictureBefore);
    }
};
}  // namespace

TEST_F(FailingSaveTest, DirectoryAtThePathStaysAsItWas) {
    ASSERT_TRUE(QDir().mkpath(positionFile));
    ASSERT_TRUE(writeBytes(positionFile + "/inside.txt", "kept"));
    form.LargeClick();
    expectSaveFails("it is a folder, not a regular file");
    EXPECT_TRUE(QFileInfo(positionFile).isDir());
    EXPECT_EQ(bytesOf(positionFile + "/inside.txt"), "kept");
}

TEST_F(FailingSaveTest, PlainFileWhereTheFolderMustBeStaysAsItWas) {
    const QString folder = QFileInfo(positionFile).absolutePath();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(writeBytes(folder, "not a folder"));
    expectSaveFails("its folder cannot be created");
    EXPECT_EQ(bytesOf(folder), "not a folder");
}

#ifndef Q_OS_WIN  // immutable folders, permission bits and file size limits are Unix ones
namespace {
// A folder made to refuse new entries, even to root, for as long as this lives: an immutable one.
class FrozenFolder {
public:
    explicit FrozenFolder(const QString& folder)
        : m_descriptor(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY)) {
        if (m_descriptor >= 0 && ::ioctl(m_descriptor, FS_IOC_GETFLAGS, &m_flags) == 0) {
            const int immutable = m_flags | FS_IMMUTABLE_FL;
            frozen = ::ioctl(m_descriptor, FS_IOC_SETFLAGS, &immutable) == 0;
        }
    }
    ~FrozenFolder() {
        if (frozen) {
            ::ioctl(m_descriptor, FS_IOC_SETFLAGS, &m_flags);
        }
        ::close(m_descriptor);
    }
    FrozenFolder(const FrozenFolder&) = delete;
    FrozenFolder& operator=(const FrozenFolder&) = delete;

    bool frozen = false;

private:
    int m_descriptor;
    int m_flags = 0;
};

std::string skipFrozen() {
    return "this file system or container cannot make a folder immutable";
}
}  // namespace

TEST_F(FailingSaveTest, FolderThatRefusesNewFilesKeepsThePreviousFile) {
    fileMenu.SaveClick();
    // The old file itself stays writable, so only a Save that writes beside it and swaps fails.
    const FrozenFolder folder(QFileInfo(positionFile).absolutePath());
    if (!folder.frozen) {
        GTEST_SKIP() << skipFrozen();
    }
    form.LargeClick();
    expectSaveFails("its folder cannot be written to: Operation not permitted");
    EXPECT_EQ(bytesOf(positionFile), normalStart);
}

TEST_F(FailingSaveTest, LinkIntoAFolderThatRefusesNewFilesNamesThatFolder) {
    // The position file's own folder takes new files; the one the link leads into does not.
    const QString elsewhere = QFileInfo(positionFile).absolutePath() + "/elsewhere";
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(writeBytes(elsewhere + "/Kept.txt", "old"));
    ASSERT_TRUE(QFile::link(elsewhere + "/Kept.txt", positionFile));
    const FrozenFolder folder(elsewhere);
    if (!folder.frozen) {
        GTEST_SKIP() << skipFrozen();
    }
    expectSaveFails("the folder of the file it leads to, " + elsewhere.toStdString() +
                    ", cannot be written to: Operation not permitted");
    EXPECT_EQ(bytesOf(elsewhere + "/Kept.txt"), "old");
}

TEST_F(FailingSaveTest, ReadOnlyFileSystemIsNamedAsSuch) {
    fileMenu.SaveClick();
    // The folder mounted read-only over itself, for this test only.
    const QByteArray folder = QFile::encodeName(QFileInfo(positionFile).absolutePath());
    if (::mount(folder.constData(), folder.constData(), nullptr, MS_BIND, nullptr) != 0) {
        GTEST_SKIP() << "the tests may not mount file systems here";
    }
    const Restore unmount([&] { ::umount2(folder.constData(), MNT_DETACH); });
    ASSERT_EQ(
        ::mount(nullptr, folder.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr),
        0);
    form.LargeClick();
    expectSaveFails("it cannot be replaced: the file system is read-only");
    EXPECT_EQ(bytesOf(positionFile), normalStart);
}

TEST_F(FailingSaveTest, ReadOnlyFileOrFolderIsRefusedNamingWhichOfThem) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "the tests run as root, who may write any file and folder";
    }
    fileMenu.SaveClick();
    ASSERT_TRUE(QFile::setPermissions(positionFile, QFile::ReadOwner | QFile::ReadUser));
    form.LargeClick();
    expectSaveFails("it cannot be replaced: Permission denied");
    ASSERT_TRUE(QFile::setPermissions(positionFile, QFile::ReadOwner | QFile::WriteOwner));

    const QString folder = QFileInfo(positionFile).absolutePath();
    const QFile::Permissions open = QFile::permissions(folder);
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    expectSaveFails("its folder cannot be written to: Permission denied");
    QFile::setPermissions(folder, open);
    EXPECT_EQ(bytesOf(positionFile), normalStart);
}

TEST_F(FailingSaveTest, WriteCutShortKeepsThePreviousFile) {
    form.LargeClick();
    fileMenu.SaveClick();
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
    expectSaveFails("it cannot be written");
    EXPECT_EQ(bytesOf(positionFile), previous);
    // Nor is the half-written new file left lying beside it.
    EXPECT_EQ(QDir(QFileInfo(positionFile).absolutePath()).entryList(QDir::Files),
              QStringList{"Videver.txt"});
}

TEST_F(FailingSaveTest, LinkToAnythingButARegularFileIsRefusedAndEverythingStaysAsItWas) {
    const QString folder = QFileInfo(positionFile).absolutePath();
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + "/pipe").constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(folder + "/folder"));
    ASSERT_TRUE(writeBytes(folder + "/folder/inside.txt", "kept"));
    // The device is only ever a link's target: the test proves it is never written.
    const std::pair<QString, std::string> targets[] = {
        {folder + "/pipe", "it is a named pipe, not a regular file"},
        {folder + "/folder", "it is a folder, not a regular file"},
        {"/dev/null", "it is a device, not a regular file"},
    };
    for (const auto& [target, reason] : targets) {
        SCOPED_TRACE(target.toStdString());
        QFile::remove(positionFile);
        ASSERT_TRUE(QFile::link(target, positionFile));
        expectSaveFails(reason);
        EXPECT_EQ(QFileInfo(positionFile).symLinkTarget(), target);
    }
    struct stat status {};
    EXPECT_TRUE(::stat(QFile::encodeName(folder + "/pipe").constData(), &status) == 0 &&
                S_ISFIFO(status.st_mode));
    EXPECT_TRUE(::stat("/dev/null", &status) == 0 && S_ISCHR(status.st_mode));
    EXPECT_EQ(bytesOf(folder + "/folder/inside.txt"), "kept");
    EXPECT_EQ(
        QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name),
        (QStringList{"Videver.txt", "folder", "pipe"}));
}
#endif

namespace {
// The environment that decides where the position file lies, set for one test and restored
// afterwards; the test never sees the real home folder.
class PositionFileLocationTest : public ::testing::Test {
protected:
    PositionFileLocationTest() {
        qunsetenv("HOME");
        qunsetenv("XDG_DATA_HOME");
    }
    ~PositionFileLocationTest() override {
        for (const auto& [name, value] : m_saved) {
            if (value) {
                qputenv(name, *value);
            } else {
                qunsetenv(name);
            }
        }
    }

    // A board whose position file lies where positionFileLocation says.
    struct Board : OffscreenBoard {
        Board() : OffscreenBoard(positionFileLocation()) {}
    };

    // Both commands say why there is no place for the file, and go no further.
    static void expectSaveAndLoadRefused(Board& board, const std::string& reason) {
        for (const auto& [command, failed] : {std::pair{&PositionCommands::SaveClick, "saved"},
                                              std::pair{&PositionCommands::LoadClick, "loaded"}}) {
            try {
                (board.fileMenu.*command)();
                ADD_FAILURE() << "the command went ahead";
            } catch (const PositionFileError& error) {
                EXPECT_EQ(error.what(),
                          std::string("The position could not be ") + failed + ": " + reason + ".");
            }
        }
    }

    QTemporaryDir scratch;

private:
    static std::optional<QByteArray> current(const char* name) {
        return qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
    }
    const std::pair<const char*, std::optional<QByteArray>> m_saved[2]{
        {"HOME", current("HOME")}, {"XDG_DATA_HOME", current("XDG_DATA_HOME")}};
};
}  // namespace

#ifndef Q_OS_WIN  // the XDG and HOME rules are Linux's; Windows has its own test below
TEST_F(PositionFileLocationTest, AbsoluteXdgDataHomeFirstThenTheHomeFolder) {
    qputenv("HOME", "/home/ann");
    qputenv("XDG_DATA_HOME", "/data/ann");
    EXPECT_EQ(positionFileLocation().path, "/data/ann/draughtsboard/Videver.txt");

    const QString fromHome = "/home/ann/.local/share/draughtsboard/Videver.txt";
    for (const char* ignored : {"data/ann", "", "./data"}) {
        qputenv("XDG_DATA_HOME", ignored);
        EXPECT_EQ(positionFileLocation().path, fromHome) << "XDG_DATA_HOME=" << ignored;
    }
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(positionFileLocation().path, fromHome);
}

TEST_F(PositionFileLocationTest, SaveMakesOnlyTheMissingFoldersAndOnlyThosePrivate) {
    // Through a folder that does not exist, to one that does and on to two that do not.
    const QString home = scratch.path() + "/home";
    ASSERT_TRUE(QDir().mkpath(home + "/.local"));
    ASSERT_EQ(::chmod(QFile::encodeName(home).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(home + "/.local").constData(), 0751), 0);
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_DATA_HOME", (home + "/foo/../.local/share").toUtf8());
    Board board;
    board.fileMenu.SaveClick();

    EXPECT_EQ(bytesOf(home + "/.local/share/draughtsboard/Videver.txt"), normalStart);
    const auto mode = [](const QString& path) {
        struct stat status {};
        return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777
                                                                         : 0;
    };
    EXPECT_EQ(mode(home), 0755u);
    EXPECT_EQ(mode(home + "/.local"), 0751u);
    EXPECT_EQ(mode(home + "/.local/share"), 0700u);
    EXPECT_EQ(mode(home + "/.local/share/draughtsboard"), 0700u);
    EXPECT_FALSE(QFileInfo::exists(home + "/foo"));
}

TEST_F(PositionFileLocationTest, WithoutAnAbsoluteHomeSaveAndLoadSaySoAndWriteNothing) {
    const QString workingFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(scratch.path()));
    const Restore back([&] { QDir::setCurrent(workingFolder); });
    qputenv("XDG_DATA_HOME", "data");
    const char* const homes[] = {"", "home", nullptr};
    for (const char* home : homes) {
        SCOPED_TRACE(home ? home : "unset");
        if (home) {
            qputenv("HOME", home);
        } else {
            qunsetenv("HOME");
        }
        Board board;
        const QByteArray before = positionText(board.form);
        expectSaveAndLoadRefused(board,
                                 "there is no home folder to keep it in (neither HOME nor "
                                 "XDG_DATA_HOME is an absolute path)");
        EXPECT_EQ(positionText(board.form), before);
    }
    EXPECT_TRUE(
        QDir(scratch.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

TEST_F(PositionFileLocationTest, HomeWhoseNameIsNotUtf8IsRefusedAndNothingIsCreated) {
    const QByteArray scratchBytes = scratch.path().toUtf8();
    for (const char* variable : {"HOME", "XDG_DATA_HOME"}) {
        SCOPED_TRACE(variable);
        qputenv("HOME", scratchBytes + "/home");
        qputenv(variable, scratchBytes + "/\xe9t\xe9");
        Board board;
        expectSaveAndLoadRefused(
            board, "the name of its folder (from HOME or XDG_DATA_HOME) is not UTF-8 text");
    }
    EXPECT_TRUE(
        QDir(scratch.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}
#else
TEST_F(PositionFileLocationTest, OnWindowsTheUsersLocalDataFolderFallingBackToTheRootOfDriveC) {
    // Nothing is read or written here: the real places are only named. The tests run in Qt's
    // test mode, which moves the data folder one level down inside the user's.
    const PositionFileLocation location = positionFileLocation();
    const QString localData = QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA"));
    ASSERT_FALSE(localData.isEmpty());
    EXPECT_TRUE(location.path.startsWith(localData + "/")) << location.path.toStdString();
    EXPECT_TRUE(location.path.endsWith("/draughtsboard/Videver.txt"))
        << location.path.toStdString();
    EXPECT_EQ(location.fallback, "c:/Videver.txt");
    EXPECT_EQ(location.missing, "");
}
#endif
