#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <QString>
#include <QStringList>

class QThread;

namespace qmcal {

using Bytes = std::vector<std::uint8_t>;
// Asked by a read while it waits for the radio: true ends the wait at once (the window is
// closing). Called on the port's thread; may be empty.
using ReadStop = std::function<bool()>;

// Read and write time-outs of an open port. A read of n bytes gives up after
// readMultiplier * n + readConstant; readInterval is the longest gap allowed between two
// received bytes (0: no gap limit). Writes likewise.
struct TimeoutProfile {
    std::chrono::milliseconds readInterval;
    std::chrono::milliseconds readMultiplier;
    std::chrono::milliseconds readConstant;
    std::chrono::milliseconds writeMultiplier;
    std::chrono::milliseconds writeConstant;
    bool dtrRtsOn;  // the probing profile switches DTR and RTS on
};

using std::chrono::milliseconds;
inline const TimeoutProfile kProbingProfile{milliseconds(0), milliseconds(0), milliseconds(100),
                                            milliseconds(90), milliseconds(90), true};
inline const TimeoutProfile kFoundProfile{milliseconds(100), milliseconds(200), milliseconds(100),
                                          milliseconds(90), milliseconds(90), true};
inline const TimeoutProfile kChosenProfile{milliseconds(100), milliseconds(200), milliseconds(200),
                                           milliseconds(50), milliseconds(50), false};

// The one seam for serial I/O: the QSerialPort adapter for real ports, a loopback to the
// simulator engine for tests.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Switches the time-outs of an open port (the detector does this once the radio answers).
    virtual void SetProfile(const TimeoutProfile& profile) = 0;
    // Discards whatever waits to be sent or to be read.
    virtual void Purge() = 0;
    // One write of all bytes; returns the count written (callers do not check it).
    virtual std::int64_t Write(const Bytes& data) = 0;
    // Returns when n bytes have arrived, the profile's read time-out has run out or stop says
    // so; the result holds what arrived (possibly fewer than n). A port that waits looks at
    // stop at least every kStopPoll.
    virtual Bytes Read(std::size_t n, const ReadStop& stop) = 0;
    Bytes Read(std::size_t n) { return Read(n, {}); }
    static constexpr std::chrono::milliseconds kStopPoll{10};
    virtual void Close() = 0;
    virtual QString Name() const = 0;
    // Gives an open port to another thread: the detector opens ports on its own thread and
    // hands the one that answered to the link's thread. Does nothing unless called on the thread
    // that owns the port.
    virtual void MoveToThread(QThread* thread) { static_cast<void>(thread); }
    // What opening the port took that is worth keeping (another program's stale lock taken
    // over); empty when nothing.
    virtual QString OpenNote() const { return {}; }
};

// Opens name exclusively at 9600 8N1 with the profile; nullptr when it cannot be opened.
std::unique_ptr<SerialPort> OpenPort(const QString& name, const TimeoutProfile& profile);

// "COM%d" for 1..9, "\\.\COM%d" for 10..16.
QString PortNameFromNumber(int number);
// Reads a name with "%*[^M]M%d"; 0 when no number follows the first 'M'.
int PortNumberFromName(const QString& name);

// The Port Setting dialog offers this many ports, one radio button each.
constexpr int kPortButtonCount = 16;
// The names the buttons stand for: COM1..COM16 on Windows, elsewhere the first 16 names of
// the port list.
QStringList PortButtonNames(const QStringList& portList);
// What a button shows: ports 10 to 16 are opened by their device path ("\\.\COM10") but shown
// as "COM10".
QString PortButtonText(const QString& name);

} // namespace qmcal
