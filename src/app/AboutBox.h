#pragma once

#include <QDialog>

namespace qmcal {

// "About": the icon, the version and a notice line.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);
};

} // namespace qmcal
