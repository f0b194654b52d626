#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include <QString>

#include "data/ParamImage.h"
#include "link/SerialPort.h"

namespace qmcal {

class LinkReporter;
class SessionLog;
struct BandLayout;

using CommandNameMap = std::map<std::uint16_t, QString>;
// The six display names, in the order start-up enters them.
CommandNameMap MakeCommandNameMap();

enum class ExchangeResult { Ok = 0, NoPort = 1, Busy = 2, CommError = 3 };

struct CommandRecord {
    std::uint8_t code = 0;
    std::uint8_t sub = 0;
    std::uint8_t length = 0;
    std::array<std::uint8_t, 10> data{};
};

// Pure frame building, tested against literal hex.
Bytes BuildFrame(const CommandRecord& record);
Bytes ReadBlockFrame(std::uint16_t address);
inline const Bytes kAck{0x52, 0x00, 0x41, 0x00};
inline const Bytes kProbeFrame{0x57, 0x00, 0x00, 0x00};

// The Prompt's progress text after blocksDone blocks of a transfer: one more '=' every 15
// blocks, back to none after seven.
QString ProgressText(int blocksDone);

// The one link to the radio: the port, the PTT/test lock and every command.
class RadioLink {
public:
    RadioLink(ParamImage& image, const CommandNameMap& names, LinkReporter& reporter);
    ~RadioLink();
    RadioLink(const RadioLink&) = delete;
    RadioLink& operator=(const RadioLink&) = delete;

    // Port handle: none, open, or open failed (exchanges treat only none as no port).
    void SetPort(std::unique_ptr<SerialPort> port);
    void SetOpenFailed();
    void ClosePort();  // back to none
    bool HasPort() const;        // open or open failed
    bool PortIsOpen() const;     // open
    SerialPort* Port() const;

    const QString& CurrentPortName() const { return m_currentPortName; }
    void SetCurrentPortName(const QString& name) { m_currentPortName = name; }

    std::uint8_t ActiveCommand() const { return m_activeCommand; }
    ExchangeResult LastExchangeResult() const { return m_lastResult; }
    // The Prompt or message text shown last: how the last command ended.
    const QString& LastShownText() const { return m_lastShown; }

    // Where LogOutcome writes; none: nowhere.
    void SetSessionLog(SessionLog* log) { m_sessionLog = log; }
    // A line for command, with the port in use and LastShownText as its result.
    void LogOutcome(const QString& command, const QString& file = {}) const;
    // A line about a port that is not (or not yet) the link's; any thread may log.
    void LogPortEvent(const QString& command, const QString& portName, const QString& result) const;
    // The port's OpenNote, when it has one, as an "Open port" line.
    void LogPortOpened(const SerialPort& port) const;

    ExchangeResult Exchange(const CommandRecord* records, int count);

    ExchangeResult SetFrequency(std::uint8_t code, std::uint16_t idBlockOffset);
    ExchangeResult SetParam(std::uint8_t code, std::uint8_t sub, int width, std::uint16_t address);
    ExchangeResult SetGlobal(std::uint8_t code, std::uint8_t sub, int width, std::uint16_t idBlockOffset);
    ExchangeResult SetFlag(std::uint8_t code, std::uint8_t value);
    ExchangeResult SetMode(std::uint8_t code, std::uint8_t value);
    ExchangeResult TestStart(std::uint8_t code);
    ExchangeResult TestEnd(std::uint8_t code);
    ExchangeResult PttStart(std::uint8_t code);
    ExchangeResult PttEnd(std::uint8_t code);
    // Unkeys the transmitter or ends the receive test that is on, if any (Ok when none is).
    ExchangeResult EndActiveCommand();
    // The busy refusal of a command of another code, for a command the caller itself must
    // refuse: the message naming the active command, and Busy as the last result.
    ExchangeResult RefuseBusy();
    ExchangeResult Store(std::uint16_t address, int n);

    // Store loops; each stops at the first exchange that is not Ok and returns its result.
    ExchangeResult StoreRanges(const BandLayout& layout, int firstSlot, int slotCount);
    ExchangeResult StoreFields(const BandLayout& layout, int firstSlot, int slotCount, int width);
    ExchangeResult StoreBytes(std::uint16_t start, std::uint16_t end);

    // Measurement query of the RSSI and SQL pages: the value, the fallback on an Ack alone,
    // or no reading when there is no open port or fewer bytes than expected arrive. No reading
    // puts the failure into the Prompt; the first reading after that puts "Complete" back.
    std::optional<std::uint16_t> Measure(std::uint8_t code, std::uint8_t sub, std::uint16_t fallback);

    // Whole-image transfers over [start, end) in 8-byte blocks: whether all of it went.
    // A failed read leaves the image exactly as it was.
    bool ReadAll(std::uint16_t start, std::uint16_t end);
    bool WriteAll(std::uint16_t start, std::uint16_t end);
    bool ReadSqlFine();
    // The radio's bytes of [start, end) into area at their addresses, to check a write: the
    // image is not touched and no success text is shown; a failure says so as ReadAll does.
    bool ReadBack(std::uint16_t start, std::uint16_t end, AreaBytes& area);
    // Asked before each block of a read and while a reply is waited for: true ends the read
    // there, as a failed one (the window is closing), and ends the wait for the reply to a PTT
    // or test end, whose frame has gone out. Writes and stores always run to their end.
    void SetReadStop(ReadStop stop) { m_readStop = std::move(stop); }

private:
    // Purges, writes the frame and reads replySize bytes (fewer on a time-out or when stop says
    // so); nothing at all through a port whose open failed.
    Bytes Transact(const Bytes& frame, std::size_t replySize, std::chrono::milliseconds pause = {},
                   const ReadStop& stop = {});
    ExchangeResult Send(const CommandRecord& record);
    std::optional<std::uint16_t> QueryReading(std::uint8_t code, std::uint8_t sub, std::uint16_t fallback);
    // Every Prompt text of the link goes here: any new text replaces a lost reading's.
    void ShowPrompt(const QString& text);
    ExchangeResult StoreRange(std::uint16_t start, std::uint16_t end);
    ExchangeResult Finish(ExchangeResult result);
    bool ReadBlocks(std::uint16_t start, std::uint16_t end);
    // The blocks of [start, end) into staged, with the progress and failure texts.
    bool FetchBlocks(std::uint16_t start, std::uint16_t end, Bytes& staged);
    QString CommandName(std::uint8_t code) const;

    ParamImage& m_image;
    const CommandNameMap& m_names;
    LinkReporter& m_reporter;
    std::unique_ptr<SerialPort> m_port;
    bool m_openFailed = false;
    QString m_currentPortName;
    std::uint8_t m_activeCommand = 0;
    std::uint8_t m_activeSub = 0;  // PTT or test: which end frame switches it off
    ExchangeResult m_lastResult = ExchangeResult::Ok;
    bool m_readingLost = false;  // the Prompt shows that the last Measure got no reading
    ReadStop m_readStop;
    QString m_lastShown;
    SessionLog* m_sessionLog = nullptr;
};

} // namespace qmcal
