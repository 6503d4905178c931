#include "ViewFixture.h"

#include "app/NativeNames.h"
#include "model/Fields.h"

#include <filesystem>
#include <fstream>

#include <QFile>
#include <QTemporaryDir>

namespace tonel::testing {
namespace {

struct FileCommands : ViewFixture {
    QTemporaryDir folder;

    QString writeFile(const char* name, const QByteArray& bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    static QByteArray imageBytes(std::uint8_t fill, std::uint8_t mode)
    {
        QByteArray bytes(188, static_cast<char>(fill));
        bytes[static_cast<int>(fields::global::controlMode)] = static_cast<char>(mode);
        return bytes;
    }
    int refreshes() const
    {
        return static_cast<int>(std::count(pageLog.begin(), pageLog.end(), logged(res::EffectTemplateId, "refresh")));
    }
};

TEST_F(FileCommands, LoadReplacesTheImageAndRefreshesEveryPage)
{
    files.openAnswers.push_back(writeFile("full.cfg", imageBytes(7, 1)));
    pageLog.clear();
    click(res::view::OpenFileButton);
    EXPECT_EQ(image.get(0), 7);
    EXPECT_EQ(image.get(fields::global::controlMode), 1);
    EXPECT_EQ(image.get(187), 7);
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_EQ(pageLog.size(), 12u);
    EXPECT_EQ(button(res::view::ModeButton)->text(), QStringLiteral("全功能模式"));
}

TEST_F(FileCommands, LoadedModeTwoLeavesTheCaption)
{
    files.openAnswers.push_back(writeFile("two.cfg", imageBytes(0, 2)));
    click(res::view::OpenFileButton);
    EXPECT_EQ(image.get(fields::global::controlMode), 2);
    EXPECT_EQ(button(res::view::ModeButton)->text(), QStringLiteral("简易模式"));
}

TEST_F(FileCommands, CancelledLoadStillRefreshes)
{
    pageLog.clear();
    click(res::view::OpenFileButton);
    EXPECT_EQ(files.opened, 1);
    EXPECT_EQ(image.bytes(), defaultImageBytes());
    EXPECT_EQ(refreshes(), 1);
    EXPECT_TRUE(messages.boxes.empty());
}

class WrongLength : public FileCommands, public ::testing::WithParamInterface<int> {};

TEST_P(WrongLength, IsRefusedAndTheImageKept)
{
    files.openAnswers.push_back(writeFile("bad.cfg", QByteArray(GetParam(), '\x05')));
    pageLog.clear();
    click(res::view::OpenFileButton);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, QStringLiteral("The File is invalid...!"));
    EXPECT_EQ(messages.boxes[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(messages.boxes[0].icon, MessageIcon::Stop);
    EXPECT_EQ(image.bytes(), defaultImageBytes());
    EXPECT_EQ(refreshes(), 1);
}

INSTANTIATE_TEST_SUITE_P(Lengths, WrongLength, ::testing::Values(0, 187, 189, 376));

TEST_F(FileCommands, MissingFileIsReportedWithTheSystemsReason)
{
    const QString path = folder.filePath("missing.cfg");
    view->loadFile(path);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_TRUE(messages.boxes[0].text.contains(path));
    EXPECT_TRUE(messages.boxes[0].text.contains(QStringLiteral("No such file"))) << messages.boxes[0].text.toStdString();
    EXPECT_EQ(messages.boxes[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(messages.boxes[0].icon, MessageIcon::Stop);
    EXPECT_EQ(image.bytes(), defaultImageBytes());
}

TEST_F(FileCommands, NamesThatAreNotUtf8LoadAndSaveTheFileTheyName)
{
    const std::string folderBytes = QFile::encodeName(folder.path()).toStdString() + "/";
    const QString latin1 = nativeNameText(folderBytes + "r\xE9glage.cfg");
    image.set(5, 42);
    files.saveAnswers.push_back(latin1);
    click(res::view::SaveFileButton);
    image.resetToDefaults();
    files.openAnswers.push_back(latin1);
    click(res::view::OpenFileButton);
    EXPECT_EQ(image.get(5), 42);
    EXPECT_TRUE(messages.boxes.empty());
    const std::filesystem::path inside(folderBytes);  // QDir lists no name that is not UTF-8
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(inside), {}), 1);

    // Qt's dialog shows the stray byte as U+FFFD: it stands for the one entry that matches.
    const QString shown = QFile::decodeName(QByteArray::fromStdString(folderBytes + "r\xE9glage.cfg"));
    EXPECT_EQ(dialogPathToNative(shown), latin1);
    std::ofstream(folderBytes + "r\xE8glage.cfg").put('x');  // now two match
    EXPECT_EQ(dialogPathToNative(shown), shown);
    std::filesystem::remove_all(inside);  // QTemporaryDir cannot remove such names
}

TEST_F(FileCommands, SaveWritesTheImageWithoutRefreshing)
{
    image.set(5, 42);
    const QString path = folder.filePath("saved.cfg");
    files.saveAnswers.push_back(path);
    pageLog.clear();
    click(res::view::SaveFileButton);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.size(), 188);
    EXPECT_EQ(std::equal(bytes.begin(), bytes.end(), image.bytes().begin(),
                         [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }),
              true);
    EXPECT_TRUE(pageLog.empty());
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(FileCommands, SavedFileLoadsBackTheSameBytes)
{
    image.set(fields::global::controlMode, 1);
    image.set(100, 200);
    const ImageBytes saved = image.bytes();
    files.saveAnswers.push_back(folder.filePath("round.cfg"));
    click(res::view::SaveFileButton);
    image.resetToDefaults();
    files.openAnswers.push_back(folder.filePath("round.cfg"));
    click(res::view::OpenFileButton);
    EXPECT_EQ(image.bytes(), saved);
}

TEST_F(FileCommands, FailedSaveIsReported)
{
    files.saveAnswers.push_back(folder.filePath("no-such-folder/x.cfg"));
    click(res::view::SaveFileButton);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_TRUE(messages.boxes[0].text.startsWith(QStringLiteral("File Save Failed...!")));
    EXPECT_EQ(messages.boxes[0].caption, QStringLiteral("Warnning"));
    EXPECT_EQ(messages.boxes[0].icon, MessageIcon::Stop);
}

TEST_F(FileCommands, CancelledSaveDoesNothing)
{
    pageLog.clear();
    click(res::view::SaveFileButton);
    EXPECT_EQ(files.saved, 1);
    EXPECT_TRUE(pageLog.empty());
    EXPECT_TRUE(messages.boxes.empty());
}

}  // namespace
}  // namespace tonel::testing
