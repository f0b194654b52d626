#pragma once

#include <memory>

#include <gtest/gtest.h>

#include "FakePort.h"
#include "RecordingReporter.h"
#include "data/ParamImage.h"
#include "link/RadioLink.h"

namespace qmcal::test {

inline Bytes AckAll(const Bytes&)
{
    return kAck;
}

// A link over a fresh image, a recording reporter and, once attached, a scripted port.
class LinkFixture : public ::testing::Test {
protected:
    FakePort& Attach(FakePort::Responder responder = AckAll)
    {
        auto port = std::make_unique<FakePort>(std::move(responder));
        FakePort& ref = *port;
        link.SetPort(std::move(port));
        return ref;
    }

    ParamImage image;
    CommandNameMap names = MakeCommandNameMap();
    RecordingReporter reporter;
    RadioLink link{image, names, reporter};
};

} // namespace qmcal::test
