#include "ui/qt/QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <QSortFilterProxyModel>

#include "platform/FileFilter.h"
#include "platform/FileSystem.h"
#include "platform/posix/FileNameCodec.h"
#include "ui/qt/QtText.h"

namespace QtUi {

namespace {

QMessageBox::Icon IconOf(Platform::MessageIcon icon) {
    switch (icon) {
        case Platform::MessageIcon::Critical:
            return QMessageBox::Critical;
        case Platform::MessageIcon::Question:
            return QMessageBox::Question;
        case Platform::MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case Platform::MessageIcon::Information:
            return QMessageBox::Information;
        case Platform::MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// Lists what a Windows user would call executables by the filter's patterns (*.exe), and on
// this platform also every file that may be executed, since programs here rarely carry an
// extension. Folders are always listed so that the user can walk to the program.
class ExecutableFilter : public QSortFilterProxyModel {
  public:
    ExecutableFilter(QStringList patterns, QObject* parent)
        : QSortFilterProxyModel(parent), patterns_(std::move(patterns)) {}

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files == nullptr) {
            return true;
        }
        const QFileInfo info = files->fileInfo(files->index(sourceRow, 0, sourceParent));
        if (info.isDir() || info.isExecutable()) {
            return true;
        }
        const QString name = info.fileName();
        for (const QString& pattern : patterns_) {
            if (QDir::match(pattern, name)) {
                return true;
            }
        }
        return false;
    }

  private:
    QStringList patterns_;
};

}  // namespace

Platform::MessageResult QtDialogs::ShowMessage(const Platform::MessageBoxRequest& request) {
    QMessageBox box(IconOf(request.Icon), ToQString(request.Title), ToQString(request.Prompt),
                    QMessageBox::NoButton, QApplication::activeWindow());
    if (request.Buttons == Platform::MessageButtons::YesNo) {
        QPushButton* yes = box.addButton(QMessageBox::Yes);
        QPushButton* no = box.addButton(QMessageBox::No);
        box.setDefaultButton(request.DefaultButton == Platform::MessageResult::No ? no : yes);
        // Escape (or closing the box) answers No, never Yes.
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Platform::MessageResult::Yes
                                          : Platform::MessageResult::No;
    }
    box.setDefaultButton(box.addButton(QMessageBox::Ok));
    box.exec();
    return Platform::MessageResult::Ok;
}

std::optional<Platform::OpenFileChoice> QtDialogs::ShowOpen(const std::u16string& filter) {
    const auto filters = Platform::ParseFileFilter(filter);
    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("Open"),
                       ToQString(Platform::CurrentFolder()));
    // The proxy model that lets programs without an extension through works only in Qt's own
    // dialog, not in a desktop's native one.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList patterns;
    QStringList descriptions;
    for (const auto& each : filters) {
        for (const auto& pattern : each.Patterns) {
            patterns += ToQString(pattern);
        }
        descriptions += ToQString(each.Description);
    }
    if (!descriptions.isEmpty()) {
        // The proxy does the filtering; the dialog's own filter must let everything through.
        dialog.setNameFilter(descriptions.join(QStringLiteral(", ")) + QStringLiteral(" (*)"));
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setProxyModel(new ExecutableFilter(patterns, &dialog));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = dialog.selectedFiles().constFirst();
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    // Into the program's form of a file name by way of the name's bytes. Qt itself cannot hold
    // name bytes that are not UTF-8: such a choice arrives altered, and writing its descriptor
    // then fails with a message naming the path rather than writing somewhere else.
    Platform::OpenFileChoice choice;
    choice.FileName = Platform::Posix::DecodeFileName(QFile::encodeName(chosen).toStdString());
    choice.FileTitle = Platform::Posix::DecodeFileName(
        QFile::encodeName(QFileInfo(chosen).fileName()).toStdString());
    return choice;
}

}  // namespace QtUi
