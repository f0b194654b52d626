#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "data/FactoryImage.h"
#include "data/ParamImage.h"
#include "link/PortDetector.h"
#include "link/SerialPort.h"
#include "sim/PtyHost.h"
#include "sim/SimRadio.h"
#include "support/LoopbackPort.h"

// Ports onto simulated radios: by name on loopbacks, and on pseudo-terminals.

namespace qmcal::test {

// Ports by name, opened on loopbacks to simulated radios; a name is busy unless listed.
class FakePorts {
public:
    sim::SimRadio& Add(const QString& name, const sim::RadioMemory& memory)
    {
        auto radio = std::make_unique<sim::SimRadio>(memory);
        sim::SimRadio& ref = *radio;
        m_radios[name] = std::move(radio);
        openable.insert(name);
        return ref;
    }
    std::unique_ptr<SerialPort> Open(const QString& name, const TimeoutProfile& profile)
    {
        opened << name;
        if (!openable.count(name))
            return nullptr;
        auto port = std::make_unique<LoopbackPort>(*m_radios.at(name), name);
        port->SetProfile(profile);
        return port;
    }
    PortOpener Opener()
    {
        return [this](const QString& name, const TimeoutProfile& profile) { return Open(name, profile); };
    }

    std::set<QString> openable;
    QStringList opened;

private:
    std::map<QString, std::unique_ptr<sim::SimRadio>> m_radios;
};

// The factory image with a few bytes that mark where data came from.
inline sim::RadioMemory MarkedMemory(std::uint8_t mark)
{
    ParamImage image;
    FillFactoryImage(image);
    sim::RadioMemory memory = image.ParamArea();
    // Power values: any byte is in range, so the repair keeps them.
    for (std::uint16_t a = 0xF400; a < 0xF410; ++a)
        memory[a] = mark;
    return memory;
}

// A simulated radio on a pseudo-terminal, with the memory marked 0x21; a silent one never answers.
inline std::unique_ptr<sim::PtyHost> StartHost(bool silent)
{
    sim::SimRadio radio(MarkedMemory(0x21));
    if (silent)
        radio.FaultSettings().silentAfter = 0;
    auto host = std::make_unique<sim::PtyHost>(std::move(radio));
    std::string error;
    EXPECT_TRUE(host->Start(&error)) << error;
    return host;
}

} // namespace qmcal::test
