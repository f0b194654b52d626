// The link's reply handling behind a port that answers arbitrary bytes: exchanges, the store
// loop, measurements and block reads, in an order the input picks.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "data/Layouts.h"
#include "link/LinkReporter.h"
#include "link/RadioLink.h"

namespace qmcal::fuzz {
namespace {

// Answers every read with as many of the input's bytes as the input says, never more than
// asked for (the seam's promise).
class ScriptedPort final : public SerialPort {
public:
    explicit ScriptedPort(FuzzedDataProvider& input) : m_input(input) {}

    void SetProfile(const TimeoutProfile&) override {}
    void Purge() override {}
    std::int64_t Write(const Bytes& data) override
    {
        FUZZ_CHECK(data.size() >= 4 && data.size() <= 14 && data[0] == 0x57 && data[3] == data.size() - 4);
        ++writes;
        return static_cast<std::int64_t>(data.size());
    }
    using SerialPort::Read;
    Bytes Read(std::size_t n, const ReadStop&) override
    {
        const auto count = m_input.ConsumeIntegralInRange<std::size_t>(0, n);
        Bytes reply = m_input.ConsumeBytes<std::uint8_t>(count);
        // Most replies are Acks, so that loops get past their first step.
        if (n == kAck.size() && m_input.ConsumeProbability<float>() < 0.5f)
            reply = kAck;
        reads.push_back(reply);
        return reply;
    }
    void Close() override {}
    QString Name() const override { return QStringLiteral("fuzz"); }

    int writes = 0;
    std::vector<Bytes> reads;

private:
    FuzzedDataProvider& m_input;
};

class QuietReporter final : public LinkReporter {
public:
    void ShowPrompt(const QString& text) override { prompt = text; }
    void ShowPtt(const QString&) override {}
    void ShowMessage(const QString&) override {}

    QString prompt;
};

enum class Step {
    Param, Switch, Store, StoreLoop, Measure, ReadBlocks, ReadSqlFine, EndActive, Reopen,
    kMaxValue = Reopen,  // for FuzzedDataProvider::ConsumeEnum
};

} // namespace
} // namespace qmcal::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qmcal;
    using namespace qmcal::fuzz;
    FuzzedDataProvider input(data, size);
    auto image = std::make_unique<ParamImage>();
    for (std::size_t i = 0; i < kParamAreaSize; ++i)
        image->ParamArea()[i] = static_cast<std::uint8_t>(i ^ (i >> 8));
    const CommandNameMap names = MakeCommandNameMap();
    QuietReporter reporter;
    RadioLink link(*image, names, reporter);
    auto owned = std::make_unique<ScriptedPort>(input);
    ScriptedPort* port = owned.get();
    link.SetPort(std::move(owned));

    constexpr std::uint8_t kCodes[] = {0x20, 0x30, 0x40, 0x41, 0x42};
    for (int steps = 0; steps < 64 && input.remaining_bytes() > 0; ++steps) {
        const int writesBefore = port ? port->writes : 0;
        const std::size_t readsBefore = port ? port->reads.size() : 0;
        const std::uint8_t activeBefore = link.ActiveCommand();
        const ExchangeResult lastBefore = link.LastExchangeResult();
        std::uint8_t code = input.PickValueInArray(kCodes);
        std::optional<ExchangeResult> exchanged;
        const Step step = input.ConsumeEnum<Step>();
        switch (step) {
        case Step::Param:
            exchanged = link.SetParam(code, input.ConsumeIntegral<std::uint8_t>(),
                                      input.ConsumeIntegralInRange<int>(1, 2),
                                      input.ConsumeIntegral<std::uint16_t>());
            break;
        case Step::Switch: {
            const int which = input.ConsumeIntegralInRange<int>(0, 3);
            exchanged = which == 0 ? link.PttStart(code)
                : which == 1       ? link.PttEnd(code)
                : which == 2       ? link.TestStart(code)
                                   : link.TestEnd(code);
            break;
        }
        case Step::Store:
            code = kCodeStore;
            exchanged = link.Store(input.ConsumeIntegral<std::uint16_t>(), input.ConsumeIntegralInRange<int>(1, 8));
            break;
        case Step::StoreLoop: {
            const BandLayout* layout = input.PickValueInArray(kPageLayouts);
            link.StoreRanges(*layout, input.ConsumeIntegralInRange<int>(-1, 11),
                             input.ConsumeIntegralInRange<int>(0, 12));
            break;
        }
        case Step::Measure: {
            const auto fallback = input.ConsumeIntegral<std::uint16_t>();
            const std::optional<std::uint16_t> value =
                link.Measure(code, input.ConsumeIntegral<std::uint8_t>(), fallback);
            FUZZ_CHECK(link.LastExchangeResult() == lastBefore);
            FUZZ_CHECK(link.ActiveCommand() == activeBefore);
            if (port == nullptr) {
                FUZZ_CHECK(!value);
                break;
            }
            const Bytes& head = port->reads.at(readsBefore);
            if (head.size() < kAck.size())
                FUZZ_CHECK(!value);
            else if (head == kAck)
                FUZZ_CHECK(value == fallback);
            else
                FUZZ_CHECK(value.has_value() == (port->reads.at(readsBefore + 1).size() == 2));
            break;
        }
        case Step::ReadBlocks:
        case Step::ReadSqlFine: {
            const bool sqlFine = step == Step::ReadSqlFine;
            const std::uint16_t start = sqlFine ? kSqlFineAreaStart : input.ConsumeIntegral<std::uint16_t>();
            const std::uint16_t end = sqlFine ? kSqlFineAreaEnd : input.ConsumeIntegral<std::uint16_t>();
            const AreaBytes before = image->ParamArea();
            const int result = sqlFine ? link.ReadSqlFine() : link.ReadAll(start, end);
            FUZZ_CHECK(link.LastExchangeResult() == lastBefore);
            if (result != 1) {
                FUZZ_CHECK(image->ParamArea() == before);
                break;
            }
            FUZZ_CHECK(port != nullptr);
            std::size_t block = readsBefore;
            for (int a = start; a < end; a += 8, ++block) {
                const Bytes& reply = port->reads.at(block);
                FUZZ_CHECK(reply.size() == 12);
                for (int i = 0; i < 8; ++i)
                    FUZZ_CHECK(image->ParamArea()[static_cast<std::uint16_t>(a + i)] == reply[4 + i]);
            }
            FUZZ_CHECK(reporter.prompt == QStringLiteral("Read success!"));
            break;
        }
        case Step::EndActive:
            link.EndActiveCommand();
            FUZZ_CHECK(link.ActiveCommand() == 0 || link.LastExchangeResult() != ExchangeResult::Ok);
            break;
        case Step::Reopen:
            switch (input.ConsumeIntegralInRange<int>(0, 2)) {
            case 0:
                link.ClosePort();
                port = nullptr;
                break;
            case 1:
                link.SetOpenFailed();
                port = nullptr;
                break;
            default: {
                auto fresh = std::make_unique<ScriptedPort>(input);
                port = fresh.get();
                link.SetPort(std::move(fresh));
                break;
            }
            }
            break;
        }
        if (!exchanged)
            continue;
        FUZZ_CHECK(*exchanged == link.LastExchangeResult());
        switch (*exchanged) {
        case ExchangeResult::Ok:
            FUZZ_CHECK(port != nullptr && port->reads.size() == readsBefore + 1 && port->reads.back() == kAck);
            FUZZ_CHECK(reporter.prompt == QStringLiteral("Complete"));
            break;
        case ExchangeResult::NoPort:
            FUZZ_CHECK(!link.HasPort());
            break;
        case ExchangeResult::Busy:
            FUZZ_CHECK(activeBefore != 0 && activeBefore != code);
            FUZZ_CHECK(link.ActiveCommand() == activeBefore);
            FUZZ_CHECK(port == nullptr || port->writes == writesBefore);
            break;
        case ExchangeResult::CommError:
            FUZZ_CHECK(port == nullptr || port->reads.back() != kAck);
            FUZZ_CHECK(link.ActiveCommand() == 0);
            break;
        }
    }
    return 0;
}
