#include "app/MessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace tonel {

namespace {
QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Stop: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}
}  // namespace

void QtMessageBoxes::show(const QString& text, const QString& caption, MessageIcon icon)
{
    QMessageBox box(toQt(icon), caption, text, QMessageBox::Ok, parent_);
    box.exec();
}

CloseChoice QtMessageBoxes::askBeforeClosingWithEdits(const QString& caption)
{
    QMessageBox box(QMessageBox::Warning, caption,
                    QStringLiteral("The parameters have changed since they were last saved to a file or stored on "
                                   "the device."),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_);
    box.setInformativeText(QStringLiteral("Save them to a file before closing?"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("Close without Saving"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save: return CloseChoice::Save;
    case QMessageBox::Discard: return CloseChoice::CloseAnyway;
    default: return CloseChoice::Cancel;
    }
}

}  // namespace tonel
