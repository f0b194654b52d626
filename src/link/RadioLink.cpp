#include "link/RadioLink.h"

#include <QCoreApplication>

#include <algorithm>
#include <stdexcept>
#include <thread>

#include "data/Layouts.h"
#include "data/LittleEndian.h"
#include "data/SessionLog.h"
#include "link/LinkReporter.h"

namespace qmcal {

namespace {

enum class Op {
    SetFrequency, SetParam, SetGlobal, SetFlag, SetMode, TestStart, TestEnd, PttStart, PttEnd,
    Store, ReadBlock, Probe, Measure,
};

constexpr int kPageCode = -1;    // the calling page's own command code
constexpr int kCallerSub = -1;   // the sub-code naming a field or reading, from the caller
constexpr int kNoFixedData = -1;

struct CommandTraits {
    Op op;
    int code;
    int sub;
    int fixedData;  // the one data byte of the switch commands
};

// The radio's command set.
constexpr std::array<CommandTraits, 13> kCommands{{
    //  operation      code       sub         fixed data
    {Op::SetFrequency, kPageCode, 0x00,       kNoFixedData},
    {Op::SetParam,     kPageCode, kCallerSub, kNoFixedData},
    {Op::SetGlobal,    kPageCode, kCallerSub, kNoFixedData},
    {Op::SetFlag,      kPageCode, 0x0E,       kNoFixedData},
    {Op::SetMode,      kPageCode, 0x0F,       kNoFixedData},
    {Op::TestStart,    kPageCode, 0xFD,       0x00},
    {Op::TestEnd,      kPageCode, 0xFD,       0xFF},
    {Op::PttStart,     kPageCode, 0xFE,       0x00},
    {Op::PttEnd,       kPageCode, 0xFE,       0xFF},
    {Op::Store,        kCodeStore, 0x00,      kNoFixedData},
    {Op::ReadBlock,    kCodeStore, 0xFF,      kNoFixedData},
    {Op::Probe,        0x00,      0x00,       kNoFixedData},
    {Op::Measure,      kPageCode, kCallerSub, kNoFixedData},
}};

constexpr bool TableInOrder()
{
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        if (static_cast<std::size_t>(kCommands[i].op) != i)
            return false;
    }
    return true;
}
static_assert(TableInOrder(), "kCommands is indexed by Op");

constexpr const CommandTraits& Traits(Op op)
{
    return kCommands[static_cast<std::size_t>(op)];
}

constexpr std::uint8_t kSwitchOn = 0x00;
constexpr std::uint8_t kSwitchOff = 0xFF;
constexpr std::size_t kBlockSize = 8;
constexpr std::size_t kBlockReplySize = 12;
constexpr std::size_t kBlockHeaderSize = 4;
constexpr std::size_t kReadingSize = 2;
constexpr int kBlocksPerMark = 15;
constexpr std::chrono::milliseconds kWriteBlockPause{5};

// The Prompt while a command runs: two ellipses (A1 AD A1 AD in GBK).
const QString kWorkingText = QStringLiteral("……");
constexpr const char* kBusyText = QT_TRANSLATE_NOOP("RadioLink", "请先结束PTT或开始命令: %1");

CommandRecord MakeRecord(Op op, std::uint8_t pageCode, std::uint8_t callerSub, const Bytes& data)
{
    const CommandTraits& traits = Traits(op);
    CommandRecord record;
    record.code = traits.code == kPageCode ? pageCode : static_cast<std::uint8_t>(traits.code);
    record.sub = traits.sub == kCallerSub ? callerSub : static_cast<std::uint8_t>(traits.sub);
    const Bytes fixed{static_cast<std::uint8_t>(traits.fixedData)};
    const Bytes& payload = traits.fixedData == kNoFixedData ? data : fixed;
    if (payload.size() > record.data.size())
        throw std::invalid_argument("command data longer than a record holds");
    std::copy(payload.begin(), payload.end(), record.data.begin());
    record.length = static_cast<std::uint8_t>(payload.size());
    return record;
}

template <std::size_t N>
Bytes Slice(const std::array<std::uint8_t, N>& buffer, std::size_t offset, int n)
{
    Bytes out;
    for (int i = 0; i < n; ++i)
        out.push_back(getU8(buffer, offset + static_cast<std::size_t>(i)));
    return out;
}

Bytes AddressBytes(std::uint16_t address)
{
    return {static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(address >> 8)};
}

CommandRecord StoreRecord(std::uint16_t address, const Bytes& bytes)
{
    Bytes data = AddressBytes(address);
    data.insert(data.end(), bytes.begin(), bytes.end());
    return MakeRecord(Op::Store, 0, 0, data);
}

int BlockCount(std::uint16_t start, std::uint16_t end)
{
    return end > start ? (end - start + static_cast<int>(kBlockSize) - 1) / static_cast<int>(kBlockSize) : 0;
}

} // namespace

CommandNameMap MakeCommandNameMap()
{
    CommandNameMap names;
    // Kept as written; CommandName shows them in the reader's language.
    names[kCodeTxMod] = QStringLiteral(QT_TRANSLATE_NOOP("RadioLink", "Tx Mod"));
    names[kCodeAnalogRx] = QStringLiteral(QT_TRANSLATE_NOOP("RadioLink", "Analog Rx"));
    names[kCodePower] = QStringLiteral(QT_TRANSLATE_NOOP("RadioLink", "Power"));
    names[kCodeRxTuning] = QStringLiteral(QT_TRANSLATE_NOOP("RadioLink", "Rx Tuning"));
    names[kCodeSqlRssi] = QStringLiteral(QT_TRANSLATE_NOOP("RadioLink", "Sql/Rssi"));
    names[kCodeStore] = QStringLiteral(QT_TRANSLATE_NOOP("RadioLink", "Store"));
    return names;
}

Bytes BuildFrame(const CommandRecord& record)
{
    if (record.length > record.data.size())
        throw std::invalid_argument("frame data length above 10");
    Bytes frame{0x57, record.code, record.sub, record.length};
    frame.insert(frame.end(), record.data.begin(), record.data.begin() + record.length);
    return frame;
}

Bytes ReadBlockFrame(std::uint16_t address)
{
    Bytes data = AddressBytes(address);
    data.push_back(static_cast<std::uint8_t>(kBlockSize));
    return BuildFrame(MakeRecord(Op::ReadBlock, 0, 0, data));
}

QString ProgressText(int blocksDone)
{
    return QString((blocksDone / kBlocksPerMark) % 8, QLatin1Char('='));
}

RadioLink::RadioLink(ParamImage& image, const CommandNameMap& names, LinkReporter& reporter)
    : m_image(image), m_names(names), m_reporter(reporter)
{
}

RadioLink::~RadioLink() = default;

void RadioLink::SetPort(std::unique_ptr<SerialPort> port)
{
    ClosePort();
    m_port = std::move(port);
}

void RadioLink::SetOpenFailed()
{
    ClosePort();
    m_openFailed = true;
}

void RadioLink::ClosePort()
{
    if (m_port)
        m_port->Close();
    m_port.reset();
    m_openFailed = false;
}

bool RadioLink::HasPort() const
{
    return m_port != nullptr || m_openFailed;
}

bool RadioLink::PortIsOpen() const
{
    return m_port != nullptr;
}

SerialPort* RadioLink::Port() const
{
    return m_port.get();
}

QString RadioLink::CommandName(std::uint8_t code) const
{
    const auto it = m_names.find(code);
    return it == m_names.end() ? QString() : QCoreApplication::translate("RadioLink", it->second.toUtf8().constData());
}

Bytes RadioLink::Transact(const Bytes& frame, std::size_t replySize, std::chrono::milliseconds pause,
                          const ReadStop& stop)
{
    // A port whose open failed takes no write and gives no reply.
    if (!m_port)
        return {};
    m_port->Purge();
    m_port->Write(frame);
    if (pause.count() > 0)
        std::this_thread::sleep_for(pause);
    return m_port->Read(replySize, stop);
}

ExchangeResult RadioLink::Finish(ExchangeResult result)
{
    m_lastResult = result;
    return result;
}

void RadioLink::ShowPrompt(const QString& text)
{
    m_readingLost = false;
    m_lastShown = text;
    m_reporter.ShowPrompt(text);
}

void RadioLink::LogOutcome(const QString& command, const QString& file) const
{
    if (m_sessionLog != nullptr)
        m_sessionLog->Append({command, m_currentPortName, file, m_lastShown});
}

void RadioLink::LogPortEvent(const QString& command, const QString& portName, const QString& result) const
{
    if (m_sessionLog != nullptr)
        m_sessionLog->Append({command, portName, {}, result});
}

void RadioLink::LogPortOpened(const SerialPort& port) const
{
    const QString note = port.OpenNote();
    if (!note.isEmpty())
        LogPortEvent(QStringLiteral("Open port"), port.Name(), note);
}

ExchangeResult RadioLink::RefuseBusy()
{
    m_lastShown = QCoreApplication::translate("RadioLink", kBusyText).arg(CommandName(m_activeCommand));
    m_reporter.ShowMessage(m_lastShown);
    return Finish(ExchangeResult::Busy);
}

ExchangeResult RadioLink::Exchange(const CommandRecord* records, int count)
{
    if (records == nullptr || count < 1)
        throw std::invalid_argument("Exchange needs at least one record");

    ShowPrompt(kWorkingText);
    // An open that failed is not caught here: its exchange ends as a communication error.
    if (!HasPort()) {
        ShowPrompt(QCoreApplication::translate("RadioLink", "Please select port"));
        return Finish(ExchangeResult::NoPort);
    }

    const std::uint8_t code = records[count - 1].code;
    const std::uint8_t sub = records[count - 1].sub;
    const std::uint8_t firstData = records[count - 1].data[0];

    if (m_activeCommand != 0 && m_activeCommand != code)
        return RefuseBusy();

    for (int i = 0; i < count; ++i) {
        // A stop may cut short the wait for the Ack of a switch-off only: its frame has gone out.
        const CommandRecord& record = records[i];
        const bool switchOff = record.data[0] == kSwitchOff
            && (record.sub == Traits(Op::PttEnd).sub || record.sub == Traits(Op::TestEnd).sub);
        if (Transact(BuildFrame(record), kAck.size(), {}, switchOff ? m_readStop : ReadStop{}) != kAck) {
            ShowPrompt(QCoreApplication::translate("RadioLink", "Communication error"));
            m_reporter.ShowPtt(QString());
            m_activeCommand = 0;
            return Finish(ExchangeResult::CommError);
        }
    }

    if (sub == Traits(Op::PttStart).sub || sub == Traits(Op::TestStart).sub) {
        if (firstData == kSwitchOn) {
            m_activeCommand = code;
            m_activeSub = sub;
            m_reporter.ShowPtt(CommandName(code));
        } else if (firstData == kSwitchOff) {
            m_activeCommand = 0;
            m_reporter.ShowPtt(QString());
        }
    }
    ShowPrompt(QCoreApplication::translate("RadioLink", "Complete"));
    return Finish(ExchangeResult::Ok);
}

ExchangeResult RadioLink::EndActiveCommand()
{
    if (m_activeCommand == 0)
        return ExchangeResult::Ok;
    return m_activeSub == Traits(Op::PttStart).sub ? PttEnd(m_activeCommand) : TestEnd(m_activeCommand);
}

ExchangeResult RadioLink::Send(const CommandRecord& record)
{
    return Exchange(&record, 1);
}

ExchangeResult RadioLink::SetFrequency(std::uint8_t code, std::uint16_t idBlockOffset)
{
    return Send(MakeRecord(Op::SetFrequency, code, 0, Slice(m_image.IdBlock(), idBlockOffset, 4)));
}

ExchangeResult RadioLink::SetParam(std::uint8_t code, std::uint8_t sub, int width, std::uint16_t address)
{
    return Send(MakeRecord(Op::SetParam, code, sub, Slice(m_image.ParamArea(), address, width)));
}

ExchangeResult RadioLink::SetGlobal(std::uint8_t code, std::uint8_t sub, int width, std::uint16_t idBlockOffset)
{
    return Send(MakeRecord(Op::SetGlobal, code, sub, Slice(m_image.IdBlock(), idBlockOffset, width)));
}

ExchangeResult RadioLink::SetFlag(std::uint8_t code, std::uint8_t value)
{
    return Send(MakeRecord(Op::SetFlag, code, 0, {value}));
}

ExchangeResult RadioLink::SetMode(std::uint8_t code, std::uint8_t value)
{
    return Send(MakeRecord(Op::SetMode, code, 0, {value}));
}

ExchangeResult RadioLink::TestStart(std::uint8_t code)
{
    return Send(MakeRecord(Op::TestStart, code, 0, {}));
}

ExchangeResult RadioLink::TestEnd(std::uint8_t code)
{
    return Send(MakeRecord(Op::TestEnd, code, 0, {}));
}

ExchangeResult RadioLink::PttStart(std::uint8_t code)
{
    return Send(MakeRecord(Op::PttStart, code, 0, {}));
}

ExchangeResult RadioLink::PttEnd(std::uint8_t code)
{
    return Send(MakeRecord(Op::PttEnd, code, 0, {}));
}

ExchangeResult RadioLink::Store(std::uint16_t address, int n)
{
    if (n < 1 || n > static_cast<int>(kBlockSize))
        throw std::invalid_argument("Store takes 1 to 8 bytes");
    return Send(StoreRecord(address, Slice(m_image.ParamArea(), address, n)));
}

ExchangeResult RadioLink::StoreRange(std::uint16_t start, std::uint16_t end)
{
    // Pieces of at most 8 bytes that never cross a multiple of 8.
    int p = start;
    while (p < end) {
        const int o = p % static_cast<int>(kBlockSize);
        const int n = p - o + static_cast<int>(kBlockSize) > end ? end - p : static_cast<int>(kBlockSize) - o;
        const ExchangeResult result = Store(static_cast<std::uint16_t>(p), n);
        if (result != ExchangeResult::Ok)
            return result;
        p += n;
    }
    return ExchangeResult::Ok;
}

ExchangeResult RadioLink::StoreRanges(const BandLayout& layout, int firstSlot, int slotCount)
{
    for (int slot = std::max(firstSlot, 0); slot < std::min(firstSlot + slotCount, kMaxSlots); ++slot) {
        const std::uint16_t start = layout.valueBase[slot];
        const auto end = static_cast<std::uint16_t>(start + layout.rowCount[slot] * layout.stride);
        const ExchangeResult result = StoreRange(start, end);
        if (result != ExchangeResult::Ok)
            return result;
    }
    return ExchangeResult::Ok;
}

ExchangeResult RadioLink::StoreFields(const BandLayout& layout, int firstSlot, int slotCount, int width)
{
    for (int slot = std::max(firstSlot, 0); slot < std::min(firstSlot + slotCount, kMaxSlots); ++slot) {
        for (int k = 0; k < layout.rowCount[slot]; ++k) {
            const auto start = static_cast<std::uint16_t>(layout.valueBase[slot] + layout.stride * k);
            const ExchangeResult result = StoreRange(start, static_cast<std::uint16_t>(start + width));
            if (result != ExchangeResult::Ok)
                return result;
        }
    }
    return ExchangeResult::Ok;
}

ExchangeResult RadioLink::StoreBytes(std::uint16_t start, std::uint16_t end)
{
    return StoreRange(start, end);
}

std::optional<std::uint16_t> RadioLink::Measure(std::uint8_t code, std::uint8_t sub, std::uint16_t fallback)
{
    const std::optional<std::uint16_t> reading = QueryReading(code, sub, fallback);
    // A silent radio must not look measured: the Prompt says so until a reading comes again.
    if (!reading) {
        ShowPrompt(HasPort() ? QCoreApplication::translate("RadioLink", "Communication error")
                               : QCoreApplication::translate("RadioLink", "Please select port"));
        m_readingLost = true;
    } else if (m_readingLost) {
        ShowPrompt(QCoreApplication::translate("RadioLink", "Complete"));
    }
    return reading;
}

std::optional<std::uint16_t> RadioLink::QueryReading(std::uint8_t code, std::uint8_t sub, std::uint16_t fallback)
{
    // No port, or a short answer, is no reading: never a measured 0.
    if (!PortIsOpen())
        return std::nullopt;
    const Bytes head = Transact(BuildFrame(MakeRecord(Op::Measure, code, sub, {})), kAck.size());
    if (head.size() < kAck.size())
        return std::nullopt;
    if (head == kAck)
        return fallback;
    const Bytes value = m_port->Read(kReadingSize);
    if (value.size() < kReadingSize)
        return std::nullopt;
    return static_cast<std::uint16_t>(value[0] | (value[1] << 8));
}

bool RadioLink::FetchBlocks(std::uint16_t start, std::uint16_t end, Bytes& staged)
{
    if (!PortIsOpen()) {
        ShowPrompt(QCoreApplication::translate("RadioLink", "Port Invail"));
        return false;
    }
    m_port->Purge();
    const int total = BlockCount(start, end);
    staged.assign(static_cast<std::size_t>(total) * kBlockSize, 0);
    int done = 0;
    for (int a = start; a < end; a += static_cast<int>(kBlockSize)) {
        const bool stopped = m_readStop && m_readStop();
        const Bytes reply = stopped ? Bytes{}
                                    : Transact(ReadBlockFrame(static_cast<std::uint16_t>(a)), kBlockReplySize,
                                               {}, m_readStop);
        if (reply.size() < kBlockReplySize) {
            ShowPrompt(QCoreApplication::translate("RadioLink", "Read fail!"));
            return false;
        }
        std::copy(reply.begin() + kBlockHeaderSize, reply.end(), staged.begin() + (a - start));
        ++done;
        ShowPrompt(ProgressText(done));
        m_reporter.ShowProgress(done, total);
    }
    return true;
}

bool RadioLink::ReadBlocks(std::uint16_t start, std::uint16_t end)
{
    // Blocks wait until the last one has arrived, so a failed read changes nothing.
    Bytes staged;
    if (!FetchBlocks(start, end, staged))
        return false;
    for (std::size_t i = 0; i < staged.size(); ++i)
        putU8(m_image.ParamArea(), start + i, staged[i]);
    ShowPrompt(QCoreApplication::translate("RadioLink", "Read success!"));
    return true;
}

bool RadioLink::ReadBack(std::uint16_t start, std::uint16_t end, AreaBytes& area)
{
    Bytes staged;
    if (!FetchBlocks(start, end, staged))
        return false;
    for (std::size_t i = 0; i < staged.size(); ++i)
        putU8(area, start + i, staged[i]);
    return true;
}

bool RadioLink::ReadAll(std::uint16_t start, std::uint16_t end)
{
    return ReadBlocks(start, end);
}

bool RadioLink::ReadSqlFine()
{
    return ReadBlocks(kSqlFineAreaStart, kSqlFineAreaEnd);
}

bool RadioLink::WriteAll(std::uint16_t start, std::uint16_t end)
{
    if (!PortIsOpen()) {
        ShowPrompt(QCoreApplication::translate("RadioLink", "Port Invalid"));
        return false;
    }
    m_port->Purge();
    const int total = BlockCount(start, end) + BlockCount(kSqlFineAreaStart, kSqlFineAreaEnd);
    int done = 0;
    auto writeBlock = [&](int address, const Bytes& data) {
        const auto a = static_cast<std::uint16_t>(address);
        if (Transact(BuildFrame(StoreRecord(a, data)), kAck.size(), kWriteBlockPause) != kAck) {
            ShowPrompt(QCoreApplication::translate("RadioLink", "Communication error"));
            return false;
        }
        ++done;
        ShowPrompt(ProgressText(done));
        m_reporter.ShowProgress(done, total);
        return true;
    };
    for (int a = start; a < end; a += static_cast<int>(kBlockSize)) {
        if (!writeBlock(a, Slice(m_image.ParamArea(), static_cast<std::size_t>(a), kBlockSize)))
            return false;
    }
    // The radio's Sql Fine bytes start again from zero; the image keeps its own.
    const Bytes zeros(kBlockSize, 0);
    for (int a = kSqlFineAreaStart; a < kSqlFineAreaEnd; a += static_cast<int>(kBlockSize)) {
        if (!writeBlock(a, zeros))
            return false;
    }
    ShowPrompt(QCoreApplication::translate("RadioLink", "Write success!"));
    return true;
}

} // namespace qmcal
