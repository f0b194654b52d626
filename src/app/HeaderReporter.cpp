#include "app/HeaderReporter.h"

#include <QLineEdit>

#include "app/UserDialogs.h"

namespace qmcal {

namespace {

void ShowNow(QLineEdit* field, const QString& text)
{
    if (field == nullptr)
        return;
    field->setText(text);
    field->setCursorPosition(0);  // a text longer than the field shows its beginning
    // Paints the field synchronously: no event processing, so no user input slips in while
    // an exchange holds the port.
    if (field->isVisible())
        field->repaint();
}

} // namespace

HeaderReporter::HeaderReporter(UserDialogs& dialogs) : m_dialogs(dialogs) {}

void HeaderReporter::Publish(QWidget* window, QLineEdit* prompt, QLineEdit* ptt)
{
    m_window = window;
    m_prompt = prompt;
    m_ptt = ptt;
}

void HeaderReporter::ShowPrompt(const QString& text)
{
    ShowNow(m_prompt, text);
}

void HeaderReporter::ShowPtt(const QString& text)
{
    ShowNow(m_ptt, text);
}

void HeaderReporter::ShowMessage(const QString& text)
{
    m_dialogs.Message(m_window, text);
}

} // namespace qmcal
