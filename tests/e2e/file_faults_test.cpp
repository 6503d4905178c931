// Parameter files that fail under the open and save buttons of the running program: folders,
// files that cannot be read, files that vanish while the dialog is open, a read-only or full
// file system. Each failure says so in a message box; a failed load keeps the image and still
// refreshes the pages; a failed save keeps the previous file.

#include "app/Application.h"
#include "device/DeviceSession.h"
#include "model/Fields.h"
#include "res/EffectControls.h"
#include "tests/app/AppFakes.h"
#include "tests/e2e/FileSystemFaults.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <thread>

namespace tonel::testing {
namespace {

namespace fs = std::filesystem;
namespace fx = fields::effect;
using namespace std::chrono_literals;

const QString kLoadCaption = QStringLiteral("Warning");
const QString kSaveCaption = QStringLiteral("Warnning");
const QString kSaveFailed = QStringLiteral("File Save Failed...!");
const QString kInvalid = QStringLiteral("The File is invalid...!");

fs::path makeTempDir()
{
    std::string pattern = (fs::temp_directory_path() / "tonel-files-XXXXXX").string();
    return ::mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
}

QString qPath(const fs::path& path) { return QString::fromStdString(path.string()); }

std::vector<char> readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool writeAll(const fs::path& path, const std::vector<char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

// A parameter file: default image, effect program 0 at the given master level.
std::vector<char> parameterFile(std::uint8_t masterLevel)
{
    ImageBytes bytes = defaultImageBytes();
    bytes[fx::at(0, fx::masterLevel)] = masterLevel;
    return {bytes.begin(), bytes.end()};
}

// Each dialog runs what the test put there, so a file can change while the dialog is open.
class FileDialogsDoing : public FileDialogs {
public:
    QString openParameterFile() override { return onOpen ? onOpen() : QString(); }
    QString saveParameterFile() override { return onSave ? onSave() : QString(); }
    std::function<QString()> onOpen;
    std::function<QString()> onSave;
};

class FileFaults : public ::testing::Test {
protected:
    ~FileFaults() override
    {
        app.shutDown();
        std::error_code ignored;
        fs::permissions(dir, fs::perms::owner_all, ignored);
        fs::remove_all(dir, ignored);
    }

    void SetUp() override
    {
        ASSERT_FALSE(dir.empty());
        TonelOptions options;
        options.ports = {(dir / "no-port").string()};
        QString error;
        ASSERT_TRUE(app.start(options, &error)) << error.toStdString();
        // An image unlike the defaults, from a file that loads.
        const fs::path good = dir / "good.cfg";
        ASSERT_TRUE(writeAll(good, parameterFile(17)));
        dialogs.onOpen = [good] { return qPath(good); };
        press(res::view::OpenFileButton);
        ASSERT_TRUE(messages.boxes.empty());
        ASSERT_EQ(app.image().get(fx::at(0, fx::masterLevel)), 17);
        dialogs.onOpen = nullptr;
    }

    void press(int id) { QTest::mouseClick(app.mainWindow()->view().button(id), Qt::LeftButton); }
    // The master level's value field on the Effect page: shows the image once the page refreshes.
    QLineEdit* levelField()
    {
        return app.mainWindow()->view().page(0)->findChild<QLineEdit*>(QString::number(res::effect::MainLevelField));
    }
    // Makes the field show what the image does not hold, to see whether a refresh comes.
    void disturbPages() { levelField()->setText(QStringLiteral("?")); }
    bool pagesRefreshed()
    {
        return levelField()->text() == QString::number(app.image().get(fx::at(0, fx::masterLevel)));
    }

    // One box with the caption, the stop icon, and both texts in its message.
    void expectOneBox(const QString& caption, const QString& start, const QString& reason)
    {
        ASSERT_EQ(messages.boxes.size(), 1u);
        const auto& box = messages.boxes.front();
        EXPECT_EQ(box.caption, caption);
        EXPECT_EQ(box.icon, MessageIcon::Stop);
        EXPECT_TRUE(box.text.startsWith(start)) << box.text.toStdString();
        EXPECT_TRUE(box.text.contains(reason)) << box.text.toStdString();
    }

    std::vector<std::string> folderEntries(const fs::path& folder) const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir = makeTempDir();
    testing::RecordingMessageBoxes messages;
    FileDialogsDoing dialogs;
    Application app{&messages, &dialogs};
};

// ---- load ----

class LoadFailure;

struct LoadFault {
    const char* name;
    // Sets the open dialog up to choose a path that will fail; a text when that cannot be arranged.
    std::function<std::string(LoadFailure& test, const fs::path& dir)> arrange;
    const char* start;   // how the message begins (before the path)
    const char* reason;  // the system's reason in the message
};

class LoadFailure : public FileFaults, public ::testing::WithParamInterface<LoadFault> {
public:
    ~LoadFailure() override { stopWriter(); }

    // The dialog runs `change` on the path while it is open, then chooses the path.
    void choose(const fs::path& path, std::function<void(const fs::path&)> change = nullptr)
    {
        dialogs.onOpen = [path, change] {
            if (change)
                change(path);
            return qPath(path);
        };
    }

    // Only root's capabilities let it read a file without read permission: drop them.
    std::string withoutReadPermission(const fs::path& path)
    {
        fs::permissions(path, fs::perms::none);
        permissions.emplace();
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return {};
        ::close(fd);
        permissions.reset();
        return "permission bits cannot be made to bind here";
    }

    // A pipe nobody writes to: whoever opens it for reading waits for a writer. A writer that
    // keeps knocking frees such a reader (and tells us it had to).
    void knockOnPipe(const fs::path& pipe)
    {
        writer_ = std::thread([this, pipe] {
            const auto deadline = std::chrono::steady_clock::now() + 5s;
            while (!stop_ && std::chrono::steady_clock::now() < deadline) {
                const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0) {  // someone is reading
                    readerWaited_ = true;
                    ::close(fd);
                    return;
                }
                std::this_thread::sleep_for(1ms);
            }
        });
    }
    void stopWriter()
    {
        stop_ = true;
        if (writer_.joinable())
            writer_.join();
    }
    bool readerWaited() const { return readerWaited_; }

    std::optional<PermissionsBind> permissions;

private:
    std::thread writer_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> readerWaited_{false};
};

TEST_P(LoadFailure, IsReportedKeepsTheImageAndRefreshesThePages)
{
    const std::string unavailable = GetParam().arrange(*this, dir);
    if (!unavailable.empty())
        GTEST_SKIP() << unavailable;
    const ImageBytes before = app.image().bytes();
    disturbPages();

    press(res::view::OpenFileButton);
    permissions.reset();
    stopWriter();

    EXPECT_FALSE(readerWaited()) << "the load waited for a writer";
    expectOneBox(kLoadCaption, QString::fromUtf8(GetParam().start), QString::fromUtf8(GetParam().reason));
    EXPECT_EQ(app.image().bytes(), before);
    EXPECT_TRUE(pagesRefreshed()) << levelField()->text().toStdString();
    EXPECT_TRUE(app.mainWindow()->view().button(res::view::OpenFileButton)->isEnabled());
}

std::string nothingToArrange() { return {}; }

INSTANTIATE_TEST_SUITE_P(
    Paths, LoadFailure,
    ::testing::Values(
        LoadFault{"Folder",
                  [](LoadFailure& t, const fs::path& dir) {
                      fs::create_directory(dir / "folder.cfg");
                      t.choose(dir / "folder.cfg");
                      return nothingToArrange();
                  },
                  "Cannot open the file ", "Is a directory"},
        LoadFault{"VanishedWhileTheDialogWasOpen",
                  [](LoadFailure& t, const fs::path& dir) {
                      writeAll(dir / "gone.cfg", parameterFile(99));
                      t.choose(dir / "gone.cfg", [](const fs::path& path) { fs::remove(path); });
                      return nothingToArrange();
                  },
                  "Cannot open the file ", "No such file or directory"},
        LoadFault{"ShortenedWhileTheDialogWasOpen",
                  [](LoadFailure& t, const fs::path& dir) {
                      writeAll(dir / "cut.cfg", parameterFile(99));
                      t.choose(dir / "cut.cfg", [](const fs::path& path) { fs::resize_file(path, kImageSize - 1); });
                      return nothingToArrange();
                  },
                  "The File is invalid...!", ""},
        LoadFault{"NoReadPermission",
                  [](LoadFailure& t, const fs::path& dir) {
                      writeAll(dir / "locked.cfg", parameterFile(99));
                      t.choose(dir / "locked.cfg");
                      return t.withoutReadPermission(dir / "locked.cfg");
                  },
                  "Cannot open the file ", "Permission denied"},
        LoadFault{"OpensButCannotBeRead",
                  [](LoadFailure& t, const fs::path&) {
                      t.choose("/proc/self/mem");  // the process's own memory: page 0 is not mapped
                      return nothingToArrange();
                  },
                  "Cannot read the file /proc/self/mem", "Input/output error"},
        LoadFault{"NamedPipe",
                  [](LoadFailure& t, const fs::path& dir) {
                      const fs::path pipe = dir / "pipe.cfg";
                      if (::mkfifo(pipe.c_str(), 0600) != 0)
                          return std::string("cannot make a named pipe: ") + std::strerror(errno);
                      t.choose(pipe);
                      t.knockOnPipe(pipe);
                      return nothingToArrange();
                  },
                  "The File is invalid...!", ""}),
    [](const auto& info) { return info.param.name; });

// ---- save ----

class SaveFailure : public FileFaults {
protected:
    void chooseForSave(const fs::path& path) { dialogs.onSave = [path] { return qPath(path); }; }

    // Saving over `previous` failed with `reason`: said once, the previous file intact, no
    // temporary file left beside it, the pages untouched.
    void saveFailsKeeping(const fs::path& previous, const QString& reason)
    {
        const std::vector<std::string> entries = folderEntries(previous.parent_path());
        disturbPages();
        press(res::view::SaveFileButton);
        expectOneBox(kSaveCaption, kSaveFailed, reason);
        EXPECT_EQ(readAll(previous), parameterFile(5));
        EXPECT_EQ(folderEntries(previous.parent_path()), entries);
        EXPECT_EQ(levelField()->text(), QStringLiteral("?"));  // a save does not refresh
    }
};

TEST_F(SaveFailure, OnAReadOnlyFileSystem)
{
    const fs::path folder = dir / "ro";
    fs::create_directory(folder);
    PrivateTmpfs tmpfs(folder, "size=64k");
    if (!tmpfs.ok())
        GTEST_SKIP() << tmpfs.why();
    const fs::path previous = folder / "kept.cfg";
    ASSERT_TRUE(writeAll(previous, parameterFile(5)));
    ASSERT_TRUE(tmpfs.makeReadOnly());
    chooseForSave(previous);
    saveFailsKeeping(previous, QStringLiteral("Read-only file system"));
}

TEST_F(SaveFailure, OnAFullDisk)
{
    const fs::path folder = dir / "full";
    fs::create_directory(folder);
    PrivateTmpfs tmpfs(folder, "size=4k");  // one page: the previous file fills it
    if (!tmpfs.ok())
        GTEST_SKIP() << tmpfs.why();
    const fs::path previous = folder / "kept.cfg";
    ASSERT_TRUE(writeAll(previous, parameterFile(5)));
    chooseForSave(previous);
    saveFailsKeeping(previous, QStringLiteral("No space left on device"));
}

// A writable file there is written in place; a read-only one cannot be saved at all.
TEST_F(SaveFailure, OverAReadOnlyFileInAFolderWithoutWritePermission)
{
    const fs::path folder = dir / "locked";
    fs::create_directory(folder);
    const fs::path previous = folder / "kept.cfg";
    ASSERT_TRUE(writeAll(previous, parameterFile(5)));
    fs::permissions(previous, fs::perms::owner_read);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    PermissionsBind permissions;
    const int fd = ::open((folder / "probe").c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        ::unlink((folder / "probe").c_str());
        GTEST_SKIP() << "permission bits cannot be made to bind here";
    }
    chooseForSave(previous);
    saveFailsKeeping(previous, QStringLiteral("Permission denied"));
}

TEST_F(SaveFailure, OntoAFolder)
{
    const fs::path target = dir / "folder.cfg";
    fs::create_directory(target);
    const auto entries = folderEntries(dir);
    chooseForSave(target);
    press(res::view::SaveFileButton);
    expectOneBox(kSaveCaption, kSaveFailed, QStringLiteral("Is a directory"));
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(folderEntries(dir), entries);
}

TEST_F(SaveFailure, IntoAFolderRemovedWhileTheDialogWasOpen)
{
    const fs::path folder = dir / "vanishing";
    fs::create_directory(folder);
    dialogs.onSave = [folder] {
        fs::remove_all(folder);
        return qPath(folder / "p.cfg");
    };
    press(res::view::SaveFileButton);
    expectOneBox(kSaveCaption, kSaveFailed, QStringLiteral("No such file or directory"));
    EXPECT_FALSE(fs::exists(folder));
}

// Not a fault: the longest name a folder takes saves and loads back like any other.
TEST_F(SaveFailure, NotForTheLongestNameAFolderTakes)
{
    const long longest = ::pathconf(dir.c_str(), _PC_NAME_MAX);
    ASSERT_GT(longest, 4);
    const fs::path target = dir / (std::string(static_cast<std::size_t>(longest) - 4, 'n') + ".cfg");
    chooseForSave(target);
    press(res::view::SaveFileButton);
    EXPECT_TRUE(messages.boxes.empty()) << messages.boxes.front().text.toStdString();
    const ImageBytes image = app.image().bytes();
    EXPECT_EQ(readAll(target), std::vector<char>(image.begin(), image.end()));
}

// Saving over a symbolic link writes the file it points to, as writing to the path would; the
// link stays a link.
TEST_F(SaveFailure, NotThroughASymbolicLink)
{
    fs::create_directory(dir / "presets");
    const fs::path preset = dir / "presets" / "stage.cfg";
    ASSERT_TRUE(writeAll(preset, parameterFile(5)));
    const fs::path link = dir / "current.cfg";
    fs::create_symlink("presets/stage.cfg", link);
    chooseForSave(link);
    press(res::view::SaveFileButton);
    EXPECT_TRUE(messages.boxes.empty()) << messages.boxes.front().text.toStdString();
    EXPECT_TRUE(fs::is_symlink(link));
    const ImageBytes image = app.image().bytes();
    EXPECT_EQ(readAll(preset), std::vector<char>(image.begin(), image.end()));
    EXPECT_EQ(folderEntries(dir / "presets"), std::vector<std::string>{"stage.cfg"});
}

}  // namespace
}  // namespace tonel::testing
