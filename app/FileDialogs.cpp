#include "app/FileDialogs.h"

#include "app/NativeNames.h"

#include <QFileDialog>

namespace tonel {

namespace {
// One filter entry, "cfg" added to a name typed without it, no initial file name; Qt's own
// dialog has no read-only box to hide, and it asks before overwriting unless told otherwise.
QString run(QWidget* parent, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(QtFileDialogs::kFilter);
    dialog.setDefaultSuffix(QtFileDialogs::kSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialogPathToNative(dialog.selectedFiles().constFirst());
}
}  // namespace

QString QtFileDialogs::openParameterFile() { return run(parent_, QFileDialog::AcceptOpen); }

QString QtFileDialogs::saveParameterFile() { return run(parent_, QFileDialog::AcceptSave); }

}  // namespace tonel
