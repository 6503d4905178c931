// The open and save parameter file buttons, and the question before closing with edits that
// would be lost.

#include "app/MainView.h"

#include "app/NativeNames.h"
#include "model/ParameterFile.h"

namespace tonel {

namespace {
const QString kLoadCaption = QStringLiteral("Warning");
const QString kSaveCaption = QStringLiteral("Warnning");
const QString kInvalidFile = QStringLiteral("The File is invalid...!");
const QString kSaveFailed = QStringLiteral("File Save Failed...!");

QString loadFailure(const FileResult& result, const QString& name)
{
    const QString path = nativeNameShown(name);
    const QString reason = QString::fromStdString(result.reason);
    switch (result.status) {
    case FileStatus::Invalid: return kInvalidFile;
    case FileStatus::OpenFailed: return QStringLiteral("Cannot open the file %1:\n%2").arg(path, reason);
    case FileStatus::ReadFailed:
    case FileStatus::WriteFailed:
    case FileStatus::Ok: break;
    }
    return QStringLiteral("Cannot read the file %1:\n%2").arg(path, reason);
}
}  // namespace

void MainView::onOpenFile()
{
    const QString path = context_.files.openParameterFile();
    if (!path.isEmpty())
        loadFile(path);
    else
        refreshAllPages();  // a cancelled dialog refreshes too
}

void MainView::loadFile(const QString& path)
{
    const FileResult result = loadParameterFile(nativeNameBytes(path), context_.image);
    if (result.ok())
        markEditsKept();
    else
        context_.messages.show(loadFailure(result, path), kLoadCaption, MessageIcon::Stop);
    refreshAllPages();
}

bool MainView::onSaveFile()
{
    const QString path = context_.files.saveParameterFile();
    if (path.isEmpty())
        return false;
    const FileResult result = saveParameterFile(nativeNameBytes(path), context_.image);
    if (result.ok()) {
        markEditsKept();
        return true;
    }
    QString text = kSaveFailed;
    if (!result.reason.empty())
        text += QStringLiteral("\n%1").arg(QString::fromStdString(result.reason));
    context_.messages.show(text, kSaveCaption, MessageIcon::Stop);
    return false;
}

bool MainView::mayClose(const QString& caption)
{
    if (!hasUnsavedEdits())
        return true;
    switch (context_.messages.askBeforeClosingWithEdits(caption)) {
    case CloseChoice::Save: return onSaveFile();  // a cancelled or failed save keeps the window
    case CloseChoice::CloseAnyway: return true;
    case CloseChoice::Cancel: break;
    }
    return false;
}

}  // namespace tonel
