#include "app/PortDialog.h"

#include <vector>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "link/LinkReporter.h"
#include "link/RadioLink.h"
#include "widgets/DialogTemplate.h"

namespace qmcal {

namespace {

constexpr int kOkId = 1;
constexpr int kCancelId = 2;
const QString kTemplatePath = QStringLiteral(":/res/PortDialog.json");

} // namespace

PortDialog::PortDialog(RadioLink& link, LinkReporter& messages, QStringList buttonNames,
                       std::function<void(const QString&)> savePortName, PortAccess access,
                       QWidget* parent)
    : QDialog(parent),
      m_link(link),
      m_messages(messages),
      m_names(buttonNames.mid(0, kButtonCount)),
      m_savePortName(std::move(savePortName)),
      m_access(std::move(access))
{
    if (!m_access.permissionDenied)
        m_access.permissionDenied = &PortPermissionDenied;
    if (!m_access.owner)
        m_access.owner = &DeviceOwnerOf;

    const DialogTemplate dialog = LoadDialogTemplate(kTemplatePath);
    setWindowTitle(dialog.caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const DialogControls controls = BuildDialogControls(*this, dialog);
    for (int i = 0; i < kButtonCount; ++i)
        m_buttons.at(static_cast<std::size_t>(i)) = controls.Get<QRadioButton>(kFirstButtonId + i);
    m_hint = controls.Get<QLabel>(kHintId);
    connect(controls.Get<QPushButton>(kOkId), &QPushButton::clicked, this, &PortDialog::accept);
    connect(controls.Get<QPushButton>(kCancelId), &QPushButton::clicked, this, &PortDialog::reject);

    // The port in use must be free for the probe below and for the user's choice.
    m_link.ClosePort();
    ProbeButtons();
    CheckCurrentPort();

    // The hint row takes room only when it has something to say.
    const QFont font = DialogFont(dialog);
    QSize size = DialogUnitsToPixels(dialog.size, font);
    if (m_hint->isHidden())
        size.setHeight(DialogUnitsToPixels(dialog.Control(kHintId)->rect, font).top());
    setFixedSize(size);
}

void PortDialog::ProbeButtons()
{
    std::vector<DeviceOwner> denied;
    QStringList deniedNames;
    bool anyEnabled = false;
    for (int i = 0; i < kButtonCount; ++i) {
        QRadioButton* button = Button(i);
        if (i >= m_names.size()) {
            button->hide();
            continue;
        }
        button->setText(PortButtonText(m_names.at(i)));
        button->setToolTip(m_names.at(i));
        std::unique_ptr<SerialPort> port = m_access.open(m_names.at(i), kChosenProfile);
        button->setEnabled(port != nullptr);
        if (port) {
            port->Close();
            anyEnabled = true;
        } else if (m_access.permissionDenied(m_names.at(i))) {
            denied.push_back(m_access.owner(m_names.at(i)));
            deniedNames.append(m_names.at(i));
        }
    }
    // An empty box with OK and Cancel would leave the user guessing.
    if (m_names.isEmpty()) {
        m_hint->setText(QStringLiteral("No serial port found"));
        m_hint->show();
    } else if (!anyEnabled && !denied.empty()) {
        m_hint->setText(PermissionHint(denied));
        m_hint->setToolTip(deniedNames.join(QLatin1String(", ")));
        m_hint->show();
    }
}

void PortDialog::CheckCurrentPort()
{
    const QString current = m_link.CurrentPortName();
    if (current.isEmpty())
        return;
    std::unique_ptr<SerialPort> port = m_access.open(current, kChosenProfile);
    if (!port)
        return;
#ifdef Q_OS_WIN
    const int index = PortNumberFromName(current) - 1;
#else
    const int index = static_cast<int>(m_names.indexOf(current));
#endif
    if (index >= 0 && index < kButtonCount)
        Button(index)->setChecked(true);
    port->Close();
}

int PortDialog::CheckedIndex() const
{
    for (int i = 0; i < kButtonCount; ++i) {
        if (Button(i)->isChecked())
            return i;
    }
    return -1;
}

void PortDialog::OpenChosen(const QString& name)
{
    std::unique_ptr<SerialPort> port = m_access.open(name, kChosenProfile);
    if (port) {
        m_link.SetPort(std::move(port));
    } else {
        m_link.SetOpenFailed();
        m_messages.ShowMessage(QStringLiteral("Open port fail!"));
    }
}

void PortDialog::accept()
{
    const int index = CheckedIndex();
    if (index >= 0) {
#ifdef Q_OS_WIN
        const QString name = PortNameFromNumber(index + 1);
#else
        const QString name = m_names.at(index);
#endif
        m_link.SetCurrentPortName(name);
        OpenChosen(name);
        m_savePortName(name);
    }
    QDialog::accept();
}

void PortDialog::reject()
{
    // Esc and the close box end here too, and must give back the port that was in use.
    if (!m_link.CurrentPortName().isEmpty())
        OpenChosen(m_link.CurrentPortName());
    QDialog::reject();
}

} // namespace qmcal
