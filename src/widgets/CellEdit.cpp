#include "widgets/CellEdit.h"

#include <algorithm>

#include <QValidator>

namespace qmcal {

// Applies the style to every change of the text, except while SetText puts in program text.
class CellEdit::Style : public QValidator {
public:
    explicit Style(QLineEdit* edit) : QValidator(edit)
    {
        connect(edit, &QLineEdit::textChanged, this,
                [this](const QString& text) { m_lastLength = static_cast<int>(text.size()); });
    }

    State validate(QString& input, int& pos) const override
    {
        if (m_programText)
            return Acceptable;
        if (m_upperCase) {
            for (QChar& c : input)
                c = c.toUpper();
        }
        const int length = static_cast<int>(input.size());
        const int grown = length - m_lastLength;
        const int excess = length - m_limit;
        if (m_limit > 0 && excess > 0 && grown > 0) {
            // What was just inserted ends at the cursor; keep only as much as fits.
            const int cut = std::min({excess, grown, pos});
            input.remove(pos - cut, cut);
            pos -= cut;
        }
        return Acceptable;
    }

    int m_limit = 0;
    bool m_upperCase = false;
    bool m_programText = false;

private:
    int m_lastLength = 0;
};

CellEdit::CellEdit(QWidget* parent) : QLineEdit(parent), m_style(new Style(this))
{
    setValidator(m_style);
}

void CellEdit::SetTextLimit(int characters)
{
    m_style->m_limit = std::max(characters, 0);
}

int CellEdit::TextLimit() const
{
    return m_style->m_limit;
}

void CellEdit::SetUpperCase(bool on)
{
    m_style->m_upperCase = on;
}

void CellEdit::SetText(const QString& text)
{
    m_style->m_programText = true;
    setText(text);
    m_style->m_programText = false;
}

void SetEditText(QLineEdit& edit, const QString& text)
{
    if (auto* cellEdit = qobject_cast<CellEdit*>(&edit))
        cellEdit->SetText(text);
    else
        edit.setText(text);
}

bool CellEdit::UpperCase() const
{
    return m_style->m_upperCase;
}

} // namespace qmcal
