#include "app/QtUserDialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace qmcal {

namespace {

QString RunFileDialog(QWidget* parent, const FileDialogOptions& options, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, QString(), options.folder, options.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(options.defaultSuffix);
    if (!options.initialName.isEmpty())
        dialog.selectFile(options.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString QtUserDialogs::OpenFileName(QWidget* parent, const FileDialogOptions& options)
{
    return RunFileDialog(parent, options, QFileDialog::AcceptOpen);
}

QString QtUserDialogs::SaveFileName(QWidget* parent, const FileDialogOptions& options)
{
    // QFileDialog asks before overwriting unless told not to.
    return RunFileDialog(parent, options, QFileDialog::AcceptSave);
}

void QtUserDialogs::Message(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, QCoreApplication::applicationName(), text, QMessageBox::Ok);
}

bool QtUserDialogs::Ask(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), text,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    // A stray Enter must not overwrite a radio.
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

int QtUserDialogs::RunModal(QDialog& dialog)
{
    return dialog.exec();
}

} // namespace qmcal
