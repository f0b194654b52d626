#pragma once

#include <array>
#include <functional>
#include <vector>

#include <QDialog>
#include <QString>
#include <QStringList>

#include "link/PortDetector.h"
#include "link/PortPermission.h"
#include "link/SerialPort.h"
#include "pages/RadioRunner.h"

class QLabel;
class QRadioButton;

namespace qmcal {

class LinkReporter;

// How the dialog reaches the ports; tests replace them.
struct PortAccess {
    PortOpener open = &OpenPort;
    // True when the port exists but this user may not open it.
    std::function<bool(const QString& name)> permissionDenied;
    // Who may open the port's device.
    std::function<DeviceOwner(const QString& name)> owner;
    // Why a port could not be opened, said after "Open port fail!".
    PortDiagnoser diagnose;
    // Where ports are opened and given to the link, while the window keeps painting; none: here.
    LinkThread* linkThread = nullptr;
};

// "Port Setting": the manual choice of the port. Opening it closes the link's port; OK opens
// the chosen port and remembers its name, Cancel opens the previous port again.
class PortDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kButtonCount = kPortButtonCount;
    static constexpr int kFirstButtonId = 1145;
    static constexpr int kHintId = 1161;

    // The names the buttons stand for (PortButtonNames).
    static QStringList ButtonNames(const QStringList& portList) { return PortButtonNames(portList); }

    // savePortName writes the chosen name to Program.ini.
    PortDialog(RadioLink& link, LinkReporter& messages, QStringList buttonNames,
               std::function<void(const QString&)> savePortName, PortAccess access = {},
               QWidget* parent = nullptr);

    QRadioButton* Button(int index) const { return m_buttons.at(static_cast<std::size_t>(index)); }
    QLabel* Hint() const { return m_hint; }
    QString ButtonName(int index) const { return m_names.value(index); }

    void accept() override;
    void reject() override;

private:
    // What the ports said when the dialog opened.
    struct Probe {
        std::vector<bool> openable;  // per button name
        std::vector<DeviceOwner> denied;
        QStringList deniedNames;
        int current = -1;  // the button of the port in use, when it opens
    };

    // On the link's thread: frees the port in use and tries every port.
    Probe ProbePorts(RadioLink& link) const;
    void ShowProbe(const Probe& probe);
    // On the link's thread: the port becomes the link's, or the link's open failed.
    bool OpenOnLink(RadioLink& link, const QString& name, QString& failedText) const;
    int CheckedIndex() const;

    RadioRunner m_link;
    LinkReporter& m_messages;
    QStringList m_names;
    std::function<void(const QString&)> m_savePortName;
    PortAccess m_access;
    std::array<QRadioButton*, kButtonCount> m_buttons{};
    QLabel* m_hint = nullptr;
};

} // namespace qmcal
