#pragma once
// The file dialogs of the open and save buttons; tests script the chosen paths instead.

#include <QPointer>
#include <QString>
#include <QWidget>

namespace tonel {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen *.cfg path, or an empty text when the user cancels; a name that is not UTF-8 comes
    // as app/NativeNames makes it.
    virtual QString openParameterFile() = 0;
    virtual QString saveParameterFile() = 0;  // an existing file is overwritten only once confirmed
};

class QtFileDialogs : public FileDialogs {
public:
    static inline const QString kFilter = QStringLiteral("Parameters File(*.cfg)");
    static inline const QString kSuffix = QStringLiteral("cfg");

    void setParent(QWidget* parent) { parent_ = parent; }
    QString openParameterFile() override;
    QString saveParameterFile() override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace tonel
