// The windows need a QApplication, QSerialPort an event dispatcher on the main thread.
#include <QApplication>

#include "support/QtEnvironment.h"
#include "widgets/AccessibleFactory.h"
#include "widgets/DialogTemplate.h"

namespace {
[[maybe_unused]] ::testing::Environment* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(
    new qmcal::test::QtEnvironment<QApplication>([] {
        QApplication::setApplicationName(QStringLiteral("qmcal"));
        qmcal::InstallDialogFontSubstitutes();  // the fonts the program shows
        qmcal::InstallAccessibleFactory();
    }));
} // namespace
