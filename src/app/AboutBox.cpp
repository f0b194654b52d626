#include "app/AboutBox.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "qmcal/Version.h"
#include "widgets/DialogTemplate.h"

namespace qmcal {

namespace {

constexpr int kOkId = 1;
constexpr int kIconId = 1200;
constexpr int kVersionId = 1201;  // its template text holds %1 for the project's version

} // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    const DialogTemplate dialog = LoadDialogTemplate(QStringLiteral(":/res/AboutBox.json"));
    setWindowTitle(dialog.caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const DialogControls controls = BuildDialogControls(*this, dialog);
    QLabel* icon = controls.Get<QLabel>(kIconId);
    icon->setPixmap(QIcon(QStringLiteral(":/res/qmcal.png")).pixmap(icon->size()));
    QLabel* version = controls.Get<QLabel>(kVersionId);
    version->setText(version->text().arg(QLatin1String(kVersion)));
    connect(controls.Get<QPushButton>(kOkId), &QPushButton::clicked, this, &AboutBox::accept);
    setFixedSize(DialogUnitsToPixels(dialog.size, DialogFont(dialog)));
}

} // namespace qmcal
