// Port names, and the QSerialPort adapter against a pseudo-terminal this test plays the radio on.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "FakePort.h"
#include "link/SerialPort.h"
#include "support/Watchdog.h"

#include <gtest/gtest.h>

namespace qmcal::test {
namespace {

using namespace std::chrono_literals;

TEST(PortNames, NumberToName)
{
    EXPECT_EQ(PortNameFromNumber(1), "COM1");
    EXPECT_EQ(PortNameFromNumber(9), "COM9");
    EXPECT_EQ(PortNameFromNumber(10), "\\\\.\\COM10");
    EXPECT_EQ(PortNameFromNumber(16), "\\\\.\\COM16");
}

TEST(PortNames, NameToNumber)
{
    const std::vector<std::pair<const char*, int>> rows{
        {"COM3", 3}, {"\\\\.\\COM12", 12}, {"COM16", 16}, {"COM 7", 7}, {"COM", 0},
        {"M5", 0},  // nothing before the 'M': no number
        {"/dev/ttyUSB0", 0}, {"", 0}, {"COMx", 0}, {"COM09", 9},
    };
    for (const auto& [name, number] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(PortNumberFromName(QString::fromLatin1(name)), number);
    }
    for (int n = 1; n <= 16; ++n)
        EXPECT_EQ(PortNumberFromName(PortNameFromNumber(n)), n);
}

TEST(OpenPort, MissingDeviceGivesNothing)
{
    EXPECT_EQ(OpenPort(QStringLiteral("/dev/qmcal-no-such-port"), kChosenProfile), nullptr);
    EXPECT_EQ(OpenPort(QStringLiteral("COM3"), kProbingProfile), nullptr);
}

// The far end of a pseudo-terminal: what the port writes arrives here, and back.
class PtyRadio {
public:
    PtyRadio()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0)
            m_path = QString::fromLocal8Bit(ptsname(m_master));
    }
    ~PtyRadio()
    {
        if (m_master >= 0)
            ::close(m_master);
    }
    PtyRadio(const PtyRadio&) = delete;
    PtyRadio& operator=(const PtyRadio&) = delete;

    const QString& Path() const { return m_path; }
    void Send(const Bytes& bytes) const
    {
        ASSERT_EQ(::write(m_master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    Bytes Receive(std::size_t n) const
    {
        Bytes out;
        while (out.size() < n) {
            pollfd pfd{m_master, POLLIN, 0};
            if (poll(&pfd, 1, 2000) <= 0)
                break;
            std::uint8_t buf[64];
            const ssize_t got = ::read(m_master, buf, std::min(sizeof buf, n - out.size()));
            if (got <= 0)
                break;
            out.insert(out.end(), buf, buf + got);
        }
        return out;
    }
    
private:
    int m_master = -1;
    QString m_path;
};

TEST(SerialPortAdapter, FrameOutAckBack)
{
    PtyRadio radio;
    ASSERT_FALSE(radio.Path().isEmpty());
    // The probing profile asks for DTR and RTS, which a pseudo-terminal cannot give.
    auto port = OpenPort(radio.Path(), kProbingProfile);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->Name(), radio.Path());
    port->SetProfile(kChosenProfile);

    port->Purge();
    EXPECT_EQ(port->Write(Hex("57 40 FE 01 00")), 5);
    EXPECT_EQ(ToHex(radio.Receive(5)), "57 40 FE 01 00");
    radio.Send(Hex("52 00 41 00 99"));
    EXPECT_EQ(ToHex(port->Read(4)), "52 00 41 00");
    EXPECT_EQ(ToHex(port->Read(1)), "99");
}

TEST(SerialPortAdapter, OpenIsExclusive)
{
    PtyRadio radio;
    auto first = OpenPort(radio.Path(), kChosenProfile);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(OpenPort(radio.Path(), kChosenProfile), nullptr);
    first->Close();
    EXPECT_NE(OpenPort(radio.Path(), kChosenProfile), nullptr);
}

TEST(SerialPortAdapter, ShortAndMissingRepliesEndWithWhatArrived)
{
    PtyRadio radio;
    auto port = OpenPort(radio.Path(), kProbingProfile);
    ASSERT_NE(port, nullptr);
    EXPECT_TRUE(port->Read(4).empty());

    port->SetProfile(kFoundProfile);
    radio.Send(Hex("52 00"));
    EXPECT_EQ(ToHex(port->Read(4)), "52 00");
}

TEST(SerialPortAdapter, GapLongerThanTheIntervalEndsTheRead)
{
    PtyRadio radio;
    auto port = OpenPort(radio.Path(), kChosenProfile);  // 100 ms between bytes, 1 s for 4 bytes
    ASSERT_NE(port, nullptr);
    std::thread late([&] {
        radio.Send(Hex("52 00"));
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        radio.Send(Hex("41 00"));
    });
    const Bytes got = port->Read(4);
    late.join();
    EXPECT_EQ(ToHex(got), "52 00");
}

TEST(SerialPortAdapter, ALongReplyMayStartLateByItsPerByteTime)
{
    // A block reply of 12 bytes has 200 ms per byte + 100 ms: one that starts after a second
    // is still on time, while the constant and one byte's share alone would have given up.
    PtyRadio radio;
    auto port = OpenPort(radio.Path(), kFoundProfile);
    ASSERT_NE(port, nullptr);
    std::thread late([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        radio.Send(Hex("52 00 41 00 01 02 03 04 05 06 07 08"));
    });
    const Bytes got = port->Read(12);
    late.join();
    EXPECT_EQ(ToHex(got), "52 00 41 00 01 02 03 04 05 06 07 08");
}

TEST(SerialPortAdapter, AStopEndsTheWaitForARadioThatWentSilentWithWhatArrived)
{
    // No read time-outs at all: only the stop can end this read.
    const TimeoutProfile endless{0ms, 0ms, 0ms, 90ms, 90ms, false};
    PtyRadio radio;
    auto port = OpenPort(radio.Path(), endless);
    ASSERT_NE(port, nullptr);
    radio.Send(Hex("52 00"));
    std::atomic<bool> stop{false};
    std::thread asker([&stop] {
        std::this_thread::sleep_for(200ms);
        stop = true;
    });
    Bytes got;
    FinishWithin(10s, "a stopped read", [&] { got = port->Read(4, [&stop] { return stop.load(); }); });
    asker.join();
    EXPECT_EQ(ToHex(got), "52 00");
}

TEST(SerialPortAdapter, PurgeDropsWhatWaits)
{
    PtyRadio radio;
    auto port = OpenPort(radio.Path(), kProbingProfile);
    ASSERT_NE(port, nullptr);
    radio.Send(Hex("01 02 03 04 05 06 07 08"));
    EXPECT_EQ(ToHex(port->Read(1)), "01");  // the rest now sits in Qt's buffer or the driver's
    port->Purge();
    EXPECT_TRUE(port->Read(4).empty());
}

} // namespace
} // namespace qmcal::test
