#pragma once

#include "app/UserDialogs.h"

namespace qmcal {

// The real thing, with Qt's dialogs.
class QtUserDialogs final : public UserDialogs {
public:
    QString OpenFileName(QWidget* parent, const FileDialogOptions& options) override;
    QString SaveFileName(QWidget* parent, const FileDialogOptions& options) override;
    void Message(QWidget* parent, const QString& text) override;
    bool Ask(QWidget* parent, const QString& text) override;
    int RunModal(QDialog& dialog) override;
};

} // namespace qmcal
