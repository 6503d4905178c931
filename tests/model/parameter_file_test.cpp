#include "model/Fields.h"
#include "model/ParameterFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <fcntl.h>
#include <grp.h>
#include <string>
#include <tuple>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tonel::testing {
namespace {

namespace fs = std::filesystem;

class ParameterFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "tonel-file-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder_, ignored);
    }

    std::string path(const char* name) const { return (folder_ / name).string(); }

    static void writeBytes(const std::string& file, const std::vector<std::uint8_t>& bytes)
    {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    static std::vector<std::uint8_t> readBytes(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::size_t entriesInFolder() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
};

// An image that differs from the defaults in every byte.
ParameterImage distinctImage()
{
    ParameterImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image.set(i, static_cast<std::uint8_t>(image.get(i) + 100));
    return image;
}

// A named pipe holding `bytes` from a writer that has finished; the returned read end keeps
// them in the pipe until the test is done.
int filledPipe(const std::string& pipe, const std::vector<std::uint8_t>& bytes)
{
    EXPECT_EQ(::mkfifo(pipe.c_str(), 0600), 0) << std::strerror(errno);
    const int keeper = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const int writer = ::open(pipe.c_str(), O_WRONLY | O_CLOEXEC);
    EXPECT_EQ(::write(writer, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(writer);
    return keeper;
}

TEST_F(ParameterFileTest, OnlyExactlyOneImageLengthLoadsFromAFileOrAPipe)
{
    struct Case {
        std::size_t length;
        FileStatus status;
        std::uint64_t fileLength, pipeLength;  // what an invalid result says
        bool pipeLonger;
    };
    ImageBytes sevens;
    sevens.fill(7);
    const std::vector<Case> cases{{0, FileStatus::Invalid, 0, 0, false},     {187, FileStatus::Invalid, 187, 187, false},
                                  {188, FileStatus::Ok, 0, 0, false},        {189, FileStatus::Invalid, 189, 189, true},
                                  {376, FileStatus::Invalid, 376, 189, true}};
    for (const Case c : cases) {
        for (const bool pipe : {false, true}) {
            const std::string name = path(pipe ? "pipe.cfg" : "p.cfg");
            int keeper = -1;
            if (pipe)
                keeper = filledPipe(name, std::vector<std::uint8_t>(c.length, 7));
            else
                writeBytes(name, std::vector<std::uint8_t>(c.length, 7));
            ParameterImage image;
            const FileResult result = loadParameterFile(name, image);
            EXPECT_EQ(result.status, c.status) << c.length << (pipe ? " pipe" : "");
            EXPECT_EQ(image.bytes(), c.status == FileStatus::Ok ? sevens : defaultImageBytes()) << c.length;
            EXPECT_EQ(result.length, pipe ? c.pipeLength : c.fileLength) << c.length << (pipe ? " pipe" : "");
            EXPECT_EQ(result.longer, pipe && c.pipeLonger) << c.length << (pipe ? " pipe" : "");
            ::close(keeper);
            fs::remove(name);
        }
    }
}

TEST_F(ParameterFileTest, LoadTakesValuesThePagesNeverWrite)
{
    std::vector<std::uint8_t> bytes(kImageSize, 255);
    bytes[fields::global::controlMode] = 2;
    writeBytes(path("odd.cfg"), bytes);
    ParameterImage image;
    ASSERT_TRUE(loadParameterFile(path("odd.cfg"), image).ok());
    EXPECT_EQ(image.get(fields::global::controlMode), 2);
    EXPECT_EQ(image.get(fields::global::effectProgram), 255);
}

TEST_F(ParameterFileTest, MissingFileFailsToOpenWithTheSystemsReason)
{
    ParameterImage image = distinctImage();
    const FileResult result = loadParameterFile(path("missing.cfg"), image);
    EXPECT_EQ(result.status, FileStatus::OpenFailed);
    EXPECT_EQ(result.reason, std::strerror(ENOENT));
    EXPECT_EQ(image, distinctImage());
}

TEST_F(ParameterFileTest, FolderIsNotAFile)
{
    ParameterImage image = distinctImage();
    const FileResult result = loadParameterFile(folder_.string(), image);
    EXPECT_EQ(result.status, FileStatus::OpenFailed);
    EXPECT_EQ(result.reason, std::strerror(EISDIR));
    EXPECT_EQ(image, distinctImage());
}

TEST_F(ParameterFileTest, PathThroughAFileFailsToOpen)
{
    writeBytes(path("plain.cfg"), std::vector<std::uint8_t>(kImageSize, 1));
    ParameterImage image = distinctImage();
    const FileResult result = loadParameterFile(path("plain.cfg") + "/inner.cfg", image);
    EXPECT_EQ(result.status, FileStatus::OpenFailed);
    EXPECT_EQ(result.reason, std::strerror(ENOTDIR));
    EXPECT_EQ(image, distinctImage());
}

TEST_F(ParameterFileTest, FileThatOpensButCannotBeReadFails)
{
    // The process's own memory file opens, and reading its unmapped first page fails.
    ParameterImage image = distinctImage();
    const FileResult result = loadParameterFile("/proc/self/mem", image);
    EXPECT_EQ(result.status, FileStatus::ReadFailed);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(image, distinctImage());
}

TEST_F(ParameterFileTest, UnreadableFileFailsToOpen)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    writeBytes(path("locked.cfg"), std::vector<std::uint8_t>(kImageSize, 1));
    fs::permissions(path("locked.cfg"), fs::perms::none);
    ParameterImage image;
    const FileResult result = loadParameterFile(path("locked.cfg"), image);
    EXPECT_EQ(result.status, FileStatus::OpenFailed);
    EXPECT_EQ(result.reason, std::strerror(EACCES));
    EXPECT_EQ(image.bytes(), defaultImageBytes());
}

TEST_F(ParameterFileTest, SaveThenLoadGivesBackTheSameBytes)
{
    const ParameterImage saved = distinctImage();
    ASSERT_TRUE(saveParameterFile(path("round.cfg"), saved).ok());
    const auto onDisk = readBytes(path("round.cfg"));
    EXPECT_EQ(onDisk, std::vector<std::uint8_t>(saved.bytes().begin(), saved.bytes().end()));
    ParameterImage loaded;
    ASSERT_TRUE(loadParameterFile(path("round.cfg"), loaded).ok());
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(entriesInFolder(), 1u);  // no temporary file left behind
}

TEST_F(ParameterFileTest, SaveKeepsTheReplacedFilesPermissions)
{
    writeBytes(path("shared.cfg"), std::vector<std::uint8_t>(kImageSize, 1));
    fs::permissions(path("shared.cfg"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(saveParameterFile(path("shared.cfg"), ParameterImage{}).ok());
    EXPECT_EQ(fs::status(path("shared.cfg")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ParameterFileTest, SaveReplacesALongerFileCompletely)
{
    writeBytes(path("old.cfg"), std::vector<std::uint8_t>(1000, 9));
    ASSERT_TRUE(saveParameterFile(path("old.cfg"), ParameterImage{}).ok());
    EXPECT_EQ(readBytes(path("old.cfg")).size(), kImageSize);
}

TEST_F(ParameterFileTest, FailedSaveKeepsThePreviousFile)
{
    auto failingRename = FileOperations::posix();
    failingRename.rename = [](const char*, const char*) { errno = EACCES; return -1; };
    auto failingWrite = FileOperations::posix();
    failingWrite.write = [](int, const void*, std::size_t) -> ssize_t { errno = ENOSPC; return -1; };
    auto failingSync = FileOperations::posix();
    failingSync.sync = [](int) { errno = EIO; return -1; };
    struct Case {
        const char* what;
        FileOperations ops;
        int error;
    };
    const std::vector<Case> cases{{"rename", failingRename, EACCES}, {"write", failingWrite, ENOSPC},
                                  {"sync", failingSync, EIO}};
    const std::vector<std::uint8_t> previous(kImageSize, 42);
    for (const Case& c : cases) {
        writeBytes(path("keep.cfg"), previous);
        const FileResult result = saveParameterFile(path("keep.cfg"), distinctImage(), c.ops);
        EXPECT_EQ(result.status, FileStatus::WriteFailed) << c.what;
        EXPECT_EQ(result.reason, std::strerror(c.error)) << c.what;
        EXPECT_EQ(readBytes(path("keep.cfg")), previous) << c.what;
        EXPECT_EQ(entriesInFolder(), 1u) << c.what;  // the temporary file is gone
    }
}

TEST_F(ParameterFileTest, PartialWritesAreContinued)
{
    auto trickle = FileOperations::posix();
    trickle.write = [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size > 0 ? 1 : 0); };
    const ParameterImage saved = distinctImage();
    ASSERT_TRUE(saveParameterFile(path("slow.cfg"), saved, trickle).ok());
    ParameterImage loaded;
    ASSERT_TRUE(loadParameterFile(path("slow.cfg"), loaded).ok());
    EXPECT_EQ(loaded, saved);
}

TEST_F(ParameterFileTest, SaveIntoAMissingFolderFails)
{
    const FileResult result = saveParameterFile(path("nowhere/p.cfg"), ParameterImage{});
    EXPECT_EQ(result.status, FileStatus::WriteFailed);
    EXPECT_EQ(result.reason, std::strerror(ENOENT));
}

TEST_F(ParameterFileTest, SaveOntoAFolderFailsAndLeavesNoTemporary)
{
    fs::create_directory(path("sub"));
    const FileResult result = saveParameterFile(path("sub"), ParameterImage{});
    EXPECT_EQ(result.status, FileStatus::WriteFailed);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_TRUE(fs::is_directory(path("sub")));
    EXPECT_EQ(entriesInFolder(), 1u);
}

// ---- saving over files that others share, as an unprivileged user ----

constexpr uid_t kSaver = 4241, kColleague = 4243;  // the colleague and the saver share group kShared
constexpr gid_t kShared = 4242, kForeign = 4244;   // the saver is not in kForeign

// The save run by a child process as kSaver; its exit status: 0 saved, 1 failed, else not run.
int saveAsSaver(const std::string& file, const ParameterImage& image)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        const gid_t groups[] = {kShared};
        if (::setgroups(1, groups) != 0 || ::setgid(kSaver) != 0 || ::setuid(kSaver) != 0)
            ::_exit(3);
        ::_exit(saveParameterFile(file, image).ok() ? 0 : 1);
    }
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : 4;
}

TEST_F(ParameterFileTest, SaveOverSharedFilesKeepsWhatOthersRelyOn)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "making files of other users needs root";
    struct Case {
        const char* name;
        uid_t folderOwner;
        mode_t folderMode;  // the folder's group is kShared
        uid_t fileOwner;
        gid_t fileGroup;
        mode_t fileMode;
        bool hardLink, saved, renamed;  // not saved: the file keeps its bytes; not renamed: written in place
    };
    const Case cases[] = {
        {"own file, own folder", kSaver, 0755, kSaver, kSaver, 0640, false, true, true},
        {"own file, folder not writable", 0, 0755, kSaver, kSaver, 0644, false, true, false},
        {"group member's file", kColleague, 0775, kColleague, kShared, 0664, false, true, false},
        {"hard-linked file", kSaver, 0755, kSaver, kSaver, 0644, true, true, false},
        {"group file in a sticky folder", 0, 01777, kColleague, kShared, 0664, false, true, false},
        {"own file of a foreign group", kSaver, 0755, kSaver, kForeign, 0664, false, true, false},
        {"read-only file of another user", 0, 0777, kColleague, kShared, 0644, false, false, false},
    };
    fs::permissions(folder_, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    const std::vector<std::uint8_t> previous(kImageSize + 12, 9);
    const ParameterImage image = distinctImage();
    const std::vector<std::uint8_t> saved(image.bytes().begin(), image.bytes().end());
    for (const Case& c : cases) {
        const fs::path folder = folder_ / std::to_string(&c - cases);
        const std::string file = (folder / "shared.cfg").string();
        fs::create_directory(folder);
        writeBytes(file, previous);
        ASSERT_TRUE(::chown(file.c_str(), c.fileOwner, c.fileGroup) == 0 && ::chmod(file.c_str(), c.fileMode) == 0);
        if (c.hardLink)
            fs::create_hard_link(file, folder / "link.cfg");
        ASSERT_TRUE(::chown(folder.c_str(), c.folderOwner, kShared) == 0 && ::chmod(folder.c_str(), c.folderMode) == 0);
        struct stat before {}, after {};
        ASSERT_EQ(::stat(file.c_str(), &before), 0);

        EXPECT_EQ(saveAsSaver(file, image), c.saved ? 0 : 1) << c.name;
        ASSERT_EQ(::stat(file.c_str(), &after), 0);
        EXPECT_EQ(readBytes(file), c.saved ? saved : previous) << c.name;
        EXPECT_EQ(after.st_ino != before.st_ino, c.renamed) << c.name;
        EXPECT_EQ(std::tie(after.st_uid, after.st_gid, after.st_mode, after.st_nlink),
                  std::tie(before.st_uid, before.st_gid, before.st_mode, before.st_nlink)) << c.name;
        if (c.hardLink) {
            EXPECT_EQ(readBytes((folder / "link.cfg").string()), saved) << c.name;
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), c.hardLink ? 2 : 1)
            << c.name << ": a temporary file was left";
    }
}

}  // namespace
}  // namespace tonel::testing
