#include "app/AboutBox.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "pages/DialogTemplate.h"

namespace qmcal {

namespace {

constexpr int kOkId = 1;
constexpr int kIconId = 1200;

} // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    const DialogTemplate dialog = LoadDialogTemplate(QStringLiteral(":/res/AboutBox.json"));
    setWindowTitle(dialog.caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const DialogControls controls = BuildDialogControls(*this, dialog);
    QLabel* icon = controls.Get<QLabel>(kIconId);
    icon->setPixmap(QIcon(QStringLiteral(":/res/qmcal.png")).pixmap(icon->size()));
    connect(controls.Get<QPushButton>(kOkId), &QPushButton::clicked, this, &AboutBox::accept);
    setFixedSize(DialogUnitsToPixels(dialog.size, DialogFont(dialog)));
}

} // namespace qmcal
