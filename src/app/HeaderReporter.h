#pragma once

#include <QPointer>

#include "link/LinkReporter.h"

class QLineEdit;
class QWidget;

namespace qmcal {

class UserDialogs;

// Shows what the link reports in the main window's header. The link blocks the UI thread, so
// each text is painted at once instead of waiting for the event loop.
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
