#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace qmcal {

struct FileDialogOptions {
    QString filter;         // Qt form: "Param Files (*.dat)"
    QString defaultSuffix;  // without the dot
    QString initialName;    // may be empty
    QString folder;
};

// Every modal question the shell asks: file dialogs, message boxes and modal dialogs go through
// here, so tests can answer them without a modal loop.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // The chosen path, or empty when cancelled.
    virtual QString OpenFileName(QWidget* parent, const FileDialogOptions& options) = 0;
    // Asks before overwriting; the chosen path, or empty when cancelled.
    virtual QString SaveFileName(QWidget* parent, const FileDialogOptions& options) = 0;
    // A message box with an OK button, titled with the application's name.
    virtual void Message(QWidget* parent, const QString& text) = 0;
    // A question with OK and Cancel, titled like Message; Cancel is the default button and
    // Escape's. Whether OK was chosen.
    virtual bool Ask(QWidget* parent, const QString& text) = 0;
    // Runs dialog modally; its result code.
    virtual int RunModal(QDialog& dialog) = 0;
};

} // namespace qmcal
