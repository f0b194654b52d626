#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "HexBytes.h"
#include "PtyClient.h"
#include "sim/PtyHost.h"

namespace qmcal::sim {
namespace {

using test::Hex;
using test::PtyClient;
using test::ToHex;

RadioMemory BlockAtF400()
{
    RadioMemory memory{};
    const auto block = Hex("11 22 33 44 55 66 77 88");
    std::copy(block.begin(), block.end(), memory.begin() + 0xF400);
    return memory;
}

TEST(PtyHost, AnswersAProbeSentByteByByteAndSurvivesReopening)
{
    PtyHost host{SimRadio(BlockAtF400())};
    std::string error;
    ASSERT_TRUE(host.Start(&error)) << error;
    // The port detector opens, probes and closes every port; the same port is probed again.
    for (int round = 0; round < 3; ++round) {
        PtyClient client(host.SlavePath());
        ASSERT_TRUE(client.IsOpen()) << round;
        for (const std::uint8_t byte : Hex("57 00 00 00")) {
            ASSERT_TRUE(client.Write({byte}));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        EXPECT_EQ(ToHex(client.Read(4)), "52 00 41 00") << round;
    }
    EXPECT_EQ(host.FramesReceived(), 3);
}

TEST(PtyHost, ReadsAndStoresBlocksPacedOrNot)
{
    for (const bool pace : {false, true}) {
        PtyHost host(SimRadio(BlockAtF400()), pace);
        ASSERT_TRUE(host.Start());
        PtyClient client(host.SlavePath());
        ASSERT_TRUE(client.IsOpen());

        client.Write(Hex("57 FF FF 03 00 F4 08"));
        EXPECT_EQ(ToHex(client.Read(12)), "52 00 41 00 11 22 33 44 55 66 77 88") << pace;

        client.Write(Hex("57 FF 00 05 E5 F7 01 02 03"));
        EXPECT_EQ(ToHex(client.Read(4)), "52 00 41 00") << pace;
        const RadioMemory memory = host.Memory();
        EXPECT_EQ(ToHex({memory.begin() + 0xF7E5, memory.begin() + 0xF7E8}), "01 02 03") << pace;

        host.QueueReading(0x012E);
        client.Write(Hex("57 42 22 00"));
        EXPECT_EQ(ToHex(client.Read(6)), "52 00 56 00 2E 01") << pace;
        ASSERT_EQ(host.FrameLog().size(), 3u);
        EXPECT_EQ(ToHex(host.FrameLog()[1]), "57 FF 00 05 E5 F7 01 02 03");

        host.Stop();  // with the client still holding the port
        EXPECT_FALSE(host.Running());
    }
}

TEST(PtyHost, HangUpDeliversTheLastReplyThenClosesTheLine)
{
    SimRadio radio(BlockAtF400());
    radio.FaultSettings().hangupAfter = 2;
    PtyHost host(std::move(radio));
    ASSERT_TRUE(host.Start());
    const std::string path = host.SlavePath();
    PtyClient client(path);
    ASSERT_TRUE(client.IsOpen());

    client.Write(Hex("57 00 00 00"));
    EXPECT_EQ(ToHex(client.Read(4)), "52 00 41 00");
    client.Write(Hex("57 FF FF 03 00 F4 08"));
    EXPECT_EQ(ToHex(client.Read(12)), "52 00 41 00 11 22 33 44 55 66 77 88");

    // The next read ends because the line is gone, long before its time-out.
    EXPECT_TRUE(client.Read(1, std::chrono::seconds(10)).empty());
    EXPECT_TRUE(client.LineGone());
    EXPECT_TRUE(host.HungUp());
    PtyClient again(path);
    EXPECT_FALSE(again.IsOpen());

    SimRadio atOnce(BlockAtF400());
    atOnce.FaultSettings().hangupAfter = 0;
    PtyHost gone(std::move(atOnce));
    ASSERT_TRUE(gone.Start());
    EXPECT_TRUE(gone.HungUp());
    EXPECT_FALSE(PtyClient(gone.SlavePath()).IsOpen());
}

// The radio gives up on a frame whose rest does not come within the gap between frames (about
// a second); a shorter pause inside a frame is only a slow line.
TEST(PtyHost, DropsAPartialFrameAfterTheGapBetweenFrames)
{
    const struct {
        const char* name;
        std::chrono::milliseconds pause;
        const char* reply;
        const char* logged;
    } cases[] = {
        {"slow line", std::chrono::milliseconds(300), "52 00 41 00 11 22 33 44 55 66 77 88 52 00 41 00",
         "57 FF FF 03 00 F4 08"},
        {"gap", std::chrono::milliseconds(1700), "52 00 41 00", "57 00 00 00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PtyHost host{SimRadio(BlockAtF400())};
        ASSERT_TRUE(host.Start());
        PtyClient client(host.SlavePath());
        ASSERT_TRUE(client.IsOpen());
        ASSERT_TRUE(client.Write(Hex("57 FF FF 03")));
        std::this_thread::sleep_for(c.pause);
        // After a gap the rest is stray bytes before the next frame's 'W', and only the probe
        // is answered.
        ASSERT_TRUE(client.Write(Hex("00 F4 08")));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_TRUE(client.Write(Hex("57 00 00 00")));
        EXPECT_EQ(ToHex(client.Read(16, std::chrono::milliseconds(500))), c.reply);
        ASSERT_FALSE(host.FrameLog().empty());
        EXPECT_EQ(ToHex(host.FrameLog().front()), c.logged);
    }
}

} // namespace
} // namespace qmcal::sim
