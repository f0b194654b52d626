#pragma once

#include <QPointer>

#include "link/LinkReporter.h"

class QLineEdit;
class QWidget;

namespace qmcal {

class UserDialogs;

// Shows what the link reports in the main window's header. Each text is painted at once, so
// that every progress mark is seen however fast they come (and also when the link runs on the
// UI thread and blocks it).
class HeaderReporter final : public LinkReporter {
public:
    explicit HeaderReporter(UserDialogs& dialogs);

    // The main window hands over its fields once they exist; until then reports go nowhere.
    void Publish(QWidget* window, QLineEdit* prompt, QLineEdit* ptt);

    void ShowPrompt(const QString& text) override;
    void ShowPtt(const QString& text) override;
    void ShowMessage(const QString& text) override;

private:
    UserDialogs& m_dialogs;
    QPointer<QWidget> m_window;
    QPointer<QLineEdit> m_prompt;
    QPointer<QLineEdit> m_ptt;
};

} // namespace qmcal
