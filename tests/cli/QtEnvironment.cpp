// QProcess wants an event dispatcher on the main thread.
#include <QCoreApplication>
#include <QTemporaryDir>

#include <memory>

#include "support/QtEnvironment.h"

namespace {
// Every qmcal-cli these tests start keeps its backups and session log in a folder of their own,
// never in the DATA folder beside the build's executables.
const auto kDataFolder = std::make_shared<QTemporaryDir>();

[[maybe_unused]] ::testing::Environment* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(
    new qmcal::test::QtEnvironment<QCoreApplication>([] { qputenv("QMCAL_DATA_DIR", kDataFolder->path().toLocal8Bit()); }));
} // namespace
