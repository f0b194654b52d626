#pragma once

#include <QLineEdit>

namespace qmcal {

// A single-line edit with the platform edit's text limit and upper-case style: the limit stops
// typing and cuts pasted text, and the upper-case style turns letters into capitals as they
// arrive, pasted ones included. Text the program puts in with SetText is kept whole (a byte shown
// as "1F" in a one-character field must not lose a digit); QLineEdit::setText would cut it.
class CellEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CellEdit(QWidget* parent = nullptr);

    void SetTextLimit(int characters);
    int TextLimit() const;
    void SetUpperCase(bool on);
    bool UpperCase() const;
    void SetText(const QString& text);

private:
    class Style;
    Style* m_style = nullptr;
};

// SetText for a CellEdit, setText for any other edit.
void SetEditText(QLineEdit& edit, const QString& text);

} // namespace qmcal
