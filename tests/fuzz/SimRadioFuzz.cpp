// The simulator's frame engine fed arbitrary bytes: once in one piece and once in pieces of
// arbitrary sizes, as a line delivers them. Both radios must answer and end up alike.
#include <cstddef>
#include <cstdint>
#include <memory>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "sim/SimRadio.h"

namespace qmcal::fuzz {
namespace {

sim::RadioMemory Pattern()
{
    sim::RadioMemory memory{};
    for (std::size_t i = 0; i < memory.size(); ++i)
        memory[i] = static_cast<std::uint8_t>(i * 7 + (i >> 8));
    return memory;
}

} // namespace
} // namespace qmcal::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qmcal;
    using namespace qmcal::fuzz;
    FuzzedDataProvider input(data, size);
    sim::Faults faults;
    faults.silentAfter = input.ConsumeIntegralInRange<int>(-1, 40);
    faults.hangupAfter = input.ConsumeIntegralInRange<int>(-1, 40);
    faults.garbage = input.ConsumeBool();
    faults.shortReplies = input.ConsumeBool();
    faults.noReading = input.ConsumeBool();
    const std::uint16_t reading = input.ConsumeIntegral<std::uint16_t>();
    const std::size_t chunkSeed = input.ConsumeIntegralInRange<std::size_t>(1, 16);
    const std::vector<std::uint8_t> line = input.ConsumeRemainingBytes<std::uint8_t>();

    static const sim::RadioMemory kStart = Pattern();
    auto whole = std::make_unique<sim::SimRadio>(kStart);
    auto pieces = std::make_unique<sim::SimRadio>(kStart);
    for (sim::SimRadio* radio : {whole.get(), pieces.get()}) {
        radio->FaultSettings() = faults;
        radio->QueueReading(reading);
    }

    const sim::WireBytes answer = whole->Receive(line.data(), line.size());
    sim::WireBytes answered;
    std::size_t at = 0;
    std::size_t step = chunkSeed;
    while (at < line.size()) {
        const std::size_t n = std::min(step, line.size() - at);
        const sim::WireBytes part = pieces->Receive(line.data() + at, n);
        answered.insert(answered.end(), part.begin(), part.end());
        at += n;
        step = step * 5 % 17 + 1;  // pieces of 1 to 17 bytes in a mixed order
    }

    FUZZ_CHECK(answer == answered);
    FUZZ_CHECK(whole->Memory() == pieces->Memory());
    FUZZ_CHECK(whole->FramesReceived() == pieces->FramesReceived());
    FUZZ_CHECK(whole->Violations() == pieces->Violations());
    FUZZ_CHECK(whole->PttCode() == pieces->PttCode());
    FUZZ_CHECK(whole->TestCode() == pieces->TestCode());
    FUZZ_CHECK(whole->HasPartial() == pieces->HasPartial());
    // Only store frames change the memory, so a line without one leaves it alone.
    if (whole->Memory() != kStart) {
        bool stored = false;
        for (std::size_t i = 0; i + 2 < line.size(); ++i)
            stored = stored || (line[i] == 0x57 && line[i + 1] == 0xFF && line[i + 2] == 0x00);
        FUZZ_CHECK(stored);
    }
    return 0;
}
