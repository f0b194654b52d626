// QSerialPort and QProcess want an event dispatcher on the main thread.
#include <QCoreApplication>

#include "support/QtEnvironment.h"

namespace {
[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new qmcal::test::QtEnvironment<QCoreApplication>);
} // namespace
