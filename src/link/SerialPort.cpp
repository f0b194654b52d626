#include "link/SerialPort.h"

#include <limits>

#include "link/SerialPortAdapter.h"

namespace qmcal {

std::unique_ptr<SerialPort> OpenPort(const QString& name, const TimeoutProfile& profile)
{
    return SerialPortAdapter::Open(name, profile);
}

QString PortNameFromNumber(int number)
{
    // Ports from 10 on are reachable on Windows only through the device path.
    return number < 10 ? QStringLiteral("COM%1").arg(number) : QStringLiteral("\\\\.\\COM%1").arg(number);
}

int PortNumberFromName(const QString& name)
{
    // "%*[^M]M%d": at least one character before the first 'M', then an optionally signed
    // decimal number after blanks.
    const qsizetype m = name.indexOf(QLatin1Char('M'));
    if (m < 1)
        return 0;
    qsizetype i = m + 1;
    while (i < name.size() && name.at(i).isSpace() && name.at(i).unicode() < 0x80)
        ++i;
    bool negative = false;
    if (i < name.size() && (name.at(i) == QLatin1Char('-') || name.at(i) == QLatin1Char('+'))) {
        negative = name.at(i) == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    bool any = false;
    for (; i < name.size() && name.at(i) >= QLatin1Char('0') && name.at(i) <= QLatin1Char('9'); ++i) {
        any = true;
        value = std::min<long long>(value * 10 + (name.at(i).unicode() - '0'),
                                    std::numeric_limits<int>::max());
    }
    if (!any)
        return 0;
    return static_cast<int>(negative ? -value : value);
}

QStringList PortButtonNames(const QStringList& portList)
{
#ifdef Q_OS_WIN
    static_cast<void>(portList);
    QStringList names;
    for (int n = 1; n <= kPortButtonCount; ++n)
        names.append(PortNameFromNumber(n));
    return names;
#else
    return portList.mid(0, kPortButtonCount);
#endif
}

QString PortButtonText(const QString& name)
{
    const QString devicePathPrefix = QStringLiteral("\\\\.\\");
    return name.startsWith(devicePathPrefix) ? name.mid(devicePathPrefix.size()) : name;
}

} // namespace qmcal
