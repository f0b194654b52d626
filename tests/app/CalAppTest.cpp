// The whole program's life: start-up, the main window, and what stays behind at exit.

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/AppPaths.h"
#include "app/CalApp.h"
#include "app/MainDialog.h"
#include "sim/PtyHost.h"

namespace qmcal::test {
namespace {

TEST(CalApp, ClosingTheWindowWritesThePortInUseToProgramIni)
{
    sim::RadioMemory memory{};
    sim::PtyHost host{sim::SimRadio(memory)};
    std::string error;
    ASSERT_TRUE(host.Start(&error)) << error;
    const QString pty = QString::fromStdString(host.SlavePath());
    const QString ini = ExeFolder() + QStringLiteral("Program.ini");
    QFile::remove(ini);

    // Closes the window by its close box once detection has found the radio (or gives up).
    int ticks = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<MainDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        if (dialog->PortField()->text() == pty || ++ticks > 400)
            dialog->close();
    });
    closer.start(50);

    CalApp::Options options;
    options.extraPorts = QStringList{pty};
    CalApp app(options);
    EXPECT_EQ(app.Run(), 0);

    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("[Setup]")));
    EXPECT_TRUE(text.contains(QStringLiteral("COM=") + pty)) << text.toStdString();
    file.close();
    QFile::remove(ini);
}

} // namespace
} // namespace qmcal::test
