// The pages are widgets.
#include <QApplication>

#include "support/QtEnvironment.h"
#include "widgets/AccessibleFactory.h"
#include "widgets/DialogTemplate.h"

namespace {
[[maybe_unused]] ::testing::Environment* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(
    new qmcal::test::QtEnvironment<QApplication>([] {
        qmcal::InstallDialogFontSubstitutes();  // the fonts the program shows
        qmcal::InstallAccessibleFactory();
    }));
} // namespace
