#pragma once

#include <memory>

#include <QLoggingCategory>
#include <QSerialPort>

#include "link/SerialPort.h"

namespace qmcal {

// Hex trace of every frame sent and every reply received; off unless
// QT_LOGGING_RULES="qmcal.link.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcLink)

// A real serial port through QSerialPort, with the radio's time-out profiles laid over Qt's
// blocking waits. Needs no event loop.
class SerialPortAdapter final : public SerialPort {
public:
    // nullptr when the device does not exist or is in use.
    static std::unique_ptr<SerialPortAdapter> Open(const QString& name, const TimeoutProfile& profile);

    void SetProfile(const TimeoutProfile& profile) override;
    void Purge() override;
    std::int64_t Write(const Bytes& data) override;
    using SerialPort::Read;
    Bytes Read(std::size_t n, const ReadStop& stop) override;
    void Close() override;
    QString Name() const override { return m_name; }
    void MoveToThread(QThread* thread) override;
    QString OpenNote() const override { return m_openNote; }

private:
    explicit SerialPortAdapter(const QString& name);

    QSerialPort m_port;
    QString m_name;
    QString m_openNote;
    TimeoutProfile m_profile = kChosenProfile;
};

} // namespace qmcal
