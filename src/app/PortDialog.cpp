#include "app/PortDialog.h"

#include <QCoreApplication>

#include <algorithm>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "link/LinkReporter.h"
#include "link/RadioLink.h"
#include "widgets/DialogTemplate.h"

namespace qmcal {

namespace {

constexpr int kOkId = 1;
constexpr int kCancelId = 2;
const QString kTemplatePath = QStringLiteral(":/res/PortDialog.json");
constexpr const char* kOpenFailedText = QT_TRANSLATE_NOOP("PortDialog", "Open port fail!");

// Long names (/dev/serial/by-id/usb-FTDI_...) keep their start and their end, where one adapter
// differs from the next; the tool tip has them whole.
QString FittedText(const QRadioButton& button, const QString& text)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    const QStyle* style = button.style();
    const int indicator = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, &button) +
                          style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, &button);
    return button.fontMetrics().elidedText(text, Qt::ElideMiddle, std::max(0, button.width() - indicator));
}

} // namespace

PortDialog::PortDialog(RadioLink& link, LinkReporter& messages, QStringList buttonNames,
                       std::function<void(const QString&)> savePortName, PortAccess access,
                       QWidget* parent)
    : QDialog(parent),
      m_link(link, access.linkThread),
      m_messages(messages),
      m_names(buttonNames.mid(0, kButtonCount)),
      m_savePortName(std::move(savePortName)),
      m_access(std::move(access))
{
    if (!m_access.permissionDenied)
        m_access.permissionDenied = &PortPermissionDenied;
    if (!m_access.owner)
        m_access.owner = &DeviceOwnerOf;
    if (!m_access.diagnose)
        m_access.diagnose = [](const QString& name) { return DiagnosePort(name); };

    const DialogTemplate dialog = LoadDialogTemplate(kTemplatePath);
    setWindowTitle(dialog.caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const DialogControls controls = BuildDialogControls(*this, dialog);
    for (int i = 0; i < kButtonCount; ++i)
        m_buttons.at(static_cast<std::size_t>(i)) = controls.Get<QRadioButton>(kFirstButtonId + i);
    m_hint = controls.Get<QLabel>(kHintId);
    connect(controls.Get<QPushButton>(kOkId), &QPushButton::clicked, this, &PortDialog::accept);
    connect(controls.Get<QPushButton>(kCancelId), &QPushButton::clicked, this, &PortDialog::reject);

    // Opening ports can take its time: the main window keeps painting meanwhile.
    ShowProbe(m_link.Run(RadioRunner::Wait::Exchange, [this](RadioLink& l) { return ProbePorts(l); })
                  .value_or(Probe{}));

    // The hint row takes room only when it has something to say.
    const QFont font = DialogFont(dialog);
    QSize size = DialogUnitsToPixels(dialog.size, font);
    if (m_hint->isHidden())
        size.setHeight(DialogUnitsToPixels(dialog.Control(kHintId)->rect, font).top());
    setFixedSize(size);
}

PortDialog::Probe PortDialog::ProbePorts(RadioLink& link) const
{
    // The port in use must be free for the probe and for the user's choice.
    link.ClosePort();
    Probe probe;
    for (const QString& name : m_names) {
        std::unique_ptr<SerialPort> port = m_access.open(name, kChosenProfile);
        probe.openable.push_back(port != nullptr);
        if (port) {
            port->Close();
        } else if (m_access.permissionDenied(name)) {
            probe.denied.push_back(m_access.owner(name));
            probe.deniedNames.append(name);
        }
    }
    const QString current = link.CurrentPortName();
    if (current.isEmpty())
        return probe;
    std::unique_ptr<SerialPort> port = m_access.open(current, kChosenProfile);
    if (!port)
        return probe;
#ifdef Q_OS_WIN
    probe.current = PortNumberFromName(current) - 1;
#else
    probe.current = static_cast<int>(m_names.indexOf(current));
#endif
    port->Close();
    return probe;
}

void PortDialog::ShowProbe(const Probe& probe)
{
    bool anyEnabled = false;
    for (int i = 0; i < kButtonCount; ++i) {
        QRadioButton* button = Button(i);
        if (i >= m_names.size()) {
            button->hide();
            continue;
        }
        button->setText(FittedText(*button, PortButtonText(m_names.at(i))));
        button->setToolTip(m_names.at(i));
        const auto at = static_cast<std::size_t>(i);
        const bool openable = at < probe.openable.size() && probe.openable.at(at);
        button->setEnabled(openable);
        anyEnabled = anyEnabled || openable;
    }
    if (probe.current >= 0 && probe.current < kButtonCount)
        Button(probe.current)->setChecked(true);
    // An empty box with OK and Cancel would leave the user guessing.
    if (m_names.isEmpty()) {
        m_hint->setText(QCoreApplication::translate("PortDialog", "No serial port found"));
        m_hint->show();
    } else if (!anyEnabled && !probe.denied.empty()) {
        m_hint->setText(PermissionHint(probe.denied));
        m_hint->setToolTip(probe.deniedNames.join(QLatin1String(", ")));
        m_hint->show();
    }
}

int PortDialog::CheckedIndex() const
{
    for (int i = 0; i < kButtonCount; ++i) {
        if (Button(i)->isChecked())
            return i;
    }
    return -1;
}

bool PortDialog::OpenOnLink(RadioLink& link, const QString& name, QString& failedText) const
{
    std::unique_ptr<SerialPort> port = m_access.open(name, kChosenProfile);
    if (!port) {
        link.SetOpenFailed();
        failedText = OpenFailedText(QCoreApplication::translate("PortDialog", kOpenFailedText), name, m_access.diagnose(name));
        // The box goes; the log keeps why.
        link.LogPortEvent(QStringLiteral("Port"), name, failedText);
        return false;
    }
    link.LogPortOpened(*port);
    link.SetPort(std::move(port));
    return true;
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
        QString failedText = QCoreApplication::translate("PortDialog", kOpenFailedText);
        // A call dropped because another is in flight opened nothing.
        const bool opened = m_link.Run(RadioRunner::Wait::Exchange, [this, &name, &failedText](RadioLink& link) {
            link.SetCurrentPortName(name);
            return OpenOnLink(link, name, failedText);
        }).value_or(false);
        if (!opened)
            m_messages.ShowMessage(failedText);
        m_savePortName(name);
    }
    QDialog::accept();
}

void PortDialog::reject()
{
    // Esc and the close box end here too, and must give back the port that was in use.
    QString failedText = QCoreApplication::translate("PortDialog", kOpenFailedText);
    const bool opened = m_link.Run(RadioRunner::Wait::Exchange, [this, &failedText](RadioLink& link) {
        return link.CurrentPortName().isEmpty() || OpenOnLink(link, link.CurrentPortName(), failedText);
    }).value_or(false);
    if (!opened)
        m_messages.ShowMessage(failedText);
    QDialog::reject();
}

} // namespace qmcal
