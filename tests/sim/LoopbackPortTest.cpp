#include <gtest/gtest.h>

#include "HexBytes.h"
#include "support/LoopbackPort.h"

namespace qmcal {
namespace {

using sim::test::Hex;
using sim::test::ToHex;

TEST(LoopbackPort, HandsBackTheRadiosRepliesInPiecesAndPurgeDropsThem)
{
    sim::SimRadio radio(sim::RadioMemory{});
    LoopbackPort port(radio, QStringLiteral("SIM1"));
    EXPECT_EQ(port.Name(), QStringLiteral("SIM1"));

    for (const std::uint8_t byte : Hex("57 00 00 00"))
        EXPECT_EQ(port.Write({byte}), 1);
    EXPECT_EQ(ToHex(port.Read(3)), "52 00 41");
    EXPECT_EQ(ToHex(port.Read(4)), "00");  // what is there, without waiting for the rest
    EXPECT_TRUE(port.Read(4).empty());
    EXPECT_EQ(port.Writes().size(), 4u);

    port.Write(Hex("57 00 00 00"));
    port.Purge();
    EXPECT_EQ(port.PurgeCount(), 1);
    EXPECT_TRUE(port.Read(4).empty());

    port.SetProfile(kFoundProfile);
    EXPECT_EQ(port.Profile().readConstant, kFoundProfile.readConstant);
}

TEST(LoopbackPort, AHungUpOrClosedLineCarriesNothing)
{
    sim::SimRadio radio(sim::RadioMemory{});
    radio.FaultSettings().hangupAfter = 1;
    LoopbackPort port(radio);
    EXPECT_EQ(port.Write(Hex("57 00 00 00")), 4);
    EXPECT_EQ(port.Write(Hex("57 00 00 00")), -1);
    EXPECT_EQ(ToHex(port.Read(8)), "52 00 41 00");
    EXPECT_EQ(radio.FramesReceived(), 1);

    sim::SimRadio other(sim::RadioMemory{});
    LoopbackPort closed(other);
    closed.Close();
    EXPECT_EQ(closed.Write(Hex("57 00 00 00")), -1);
    EXPECT_TRUE(closed.Read(4).empty());
    EXPECT_EQ(other.FramesReceived(), 0);
}

} // namespace
} // namespace qmcal
