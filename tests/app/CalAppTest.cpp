// The whole program's life: start-up, the main window, and what stays behind at exit.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QDateTime>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "shell/AppPaths.h"
#include "app/CalApp.h"
#include "app/MainDialog.h"
#include "data/SessionLog.h"
#include "data/FactoryImage.h"
#include "data/ParamFile.h"
#include "qmcal/Version.h"
#include "widgets/CMSFlexGrid.h"
#include "sim/PtyHost.h"

namespace qmcal::test {
namespace {

// A display number no X server on this machine holds.
QString UnusedDisplay()
{
    for (int n = 4000; n < 4096; ++n) {
        if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))
            && !QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            return QStringLiteral(":%1").arg(n);
    }
    return {};
}

// Without a usable display the program says what to do and ends with status 1; help and the
// version need no display at all.
TEST(CalApp, ADisplayThatCannotBeOpenedEndsWithAMessage)
{
    const QString stale = UnusedDisplay();
    ASSERT_FALSE(stale.isEmpty());
    const struct {
        const char* name;
        QString display;  // empty: DISPLAY not set
        QStringList args;
        int exitCode;
        QString out;
        QString firstError;
    } cases[] = {
        {"no display", {}, {"--simulate"}, 1, {},
         QStringLiteral("qmcal: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set).")},
        {"display without a server", stale, {"--simulate"}, 1, {},
         QStringLiteral("qmcal: cannot open the display \"%1\" that DISPLAY names "
                        "(QT_LOGGING_RULES='qt.qpa.*=true' says why).").arg(stale)},
        {"version on a display without a server", stale, {"--version"}, 0,
         QStringLiteral("qmcal %1\n").arg(QLatin1String(kVersion)), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "QT_LOGGING_RULES"})
            env.remove(QLatin1String(name));
        if (!c.display.isEmpty())
            env.insert(QStringLiteral("DISPLAY"), c.display);
        QProcess qmcal;
        qmcal.setProcessEnvironment(env);
        qmcal.start(QStringLiteral(QMCAL_BIN_DIR "/qmcal"), c.args);
        ASSERT_TRUE(qmcal.waitForFinished(30000));
        EXPECT_EQ(qmcal.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(qmcal.exitCode(), c.exitCode);
        EXPECT_EQ(qmcal.readAllStandardOutput().toStdString(), c.out.toStdString());
        const QString errors = QString::fromUtf8(qmcal.readAllStandardError());
        EXPECT_EQ(errors.section(QLatin1Char('\n'), 0, 0).toStdString(), c.firstError.toStdString());
    }
}

TEST(CalApp, ClosingTheWindowWritesThePortInUseToProgramIni)
{
    sim::RadioMemory memory{};
    sim::PtyHost host{sim::SimRadio(memory)};
    std::string error;
    ASSERT_TRUE(host.Start(&error)) << error;
    const QString pty = QString::fromStdString(host.SlavePath());
    const QString ini = ExeFolder() + QStringLiteral("Program.ini");
    QFile::remove(ini);
    // The session log and backups go to a folder of the test's own, not beside the build.
    const QTemporaryDir data;
    const QByteArray savedData = qgetenv(kDataFolderVariable);
    qputenv(kDataFolderVariable, QFile::encodeName(data.path()));

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
    qputenv(kDataFolderVariable, savedData);
    // Start-up's New and the port the search found, each logged.
    QFile log(data.path() + QStringLiteral("/log/") + SessionLogFileName(QDateTime::currentDateTime()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString lines = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(lines.contains(QStringLiteral("\tNew\t"))) << lines.toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("\tPort\t") + pty + QStringLiteral("\t\tfound by the search\n")))
        << lines.toStdString();
}

// A second file or an unknown option is a usage error, said before any window shows.
TEST(CalApp, UsageErrorsEndWithStatus2)
{
    const struct {
        const char* name;
        QStringList args;
        QString firstError;
    } cases[] = {
        {"two files", {"a.dat", "b.dat"}, QStringLiteral("qmcal: one FILE at most, not a.dat b.dat")},
        {"unknown option", {"--workbech", "a.dat"}, QStringLiteral("qmcal: Unknown option 'workbech'.")},
    };
    QTemporaryDir runtimeDir;  // else Qt's note on a missing one would come first
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QProcess qmcal;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
        qmcal.setProcessEnvironment(env);
        qmcal.start(QStringLiteral(QMCAL_BIN_DIR "/qmcal"), c.args);
        ASSERT_TRUE(qmcal.waitForFinished(30000));
        EXPECT_EQ(qmcal.exitCode(), 2);
        const QString errors = QString::fromUtf8(qmcal.readAllStandardError());
        EXPECT_EQ(errors.section(QLatin1Char('\n'), 0, 0).toStdString(), c.firstError.toStdString());
    }
}

// qmcal FILE: after the start's New, Open of FILE by its absolute path; a wrong file is refused
// with Open's message and leaves the New image.
TEST(CalApp, AFileOnTheCommandLineOpensAsFileOpenWould)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ParamImage unit;
    FillFactoryImage(unit);
    std::fill(unit.ParamArea().begin() + 0xF400, unit.ParamArea().begin() + 0xF438, std::uint8_t{0xC7});
    const QString unitPath = dir.filePath(QStringLiteral("unit.dat"));
    ASSERT_TRUE(SaveImageFileAs(unit, unitPath).ok);
    const QString textPath = dir.filePath(QStringLiteral("x.dat"));
    QFile text(textPath);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a radio's image\n");
    text.close();

    const struct {
        const char* name;
        QString path;
        QString fileName;
        QString message;  // first line
        bool unitShown;
    } cases[] = {
        {"unit image", unitPath, unitPath, {}, true},
        {"text file", textPath, {}, WrongModelText(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString message;
        QString fileName;
        bool unitShown = false;
        int ticks = 0;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                message = box->text().section(QLatin1Char('\n'), 0, 0);
                box->accept();
                return;
            }
            auto* dialog = qobject_cast<MainDialog*>(modal);
            if (dialog == nullptr)
                return;
            const bool waiting = c.message.isEmpty() ? dialog->FileNameField()->text().isEmpty() : message.isEmpty();
            if (waiting && ++ticks < 500)
                return;
            fileName = dialog->FileNameField()->text();
            const auto* grid = dialog->Page(0)->findChild<CMSFlexGrid*>();
            for (int row = 1; grid != nullptr && row < grid->GridRowCount(); ++row)
                unitShown = unitShown || grid->CellText(row, 1) == QLatin1String("C7");
            dialog->close();
        });
        watcher.start(20);

        CalApp::Options options;
        options.workbench = true;
        options.file = QDir::current().relativeFilePath(c.path);
        CalApp app(options);
        EXPECT_EQ(app.Run(), 0);
        EXPECT_EQ(message.toStdString(), c.message.toStdString());
        EXPECT_EQ(fileName.toStdString(), c.fileName.toStdString());
        EXPECT_EQ(unitShown, c.unitShown);
    }
}

} // namespace
} // namespace qmcal::test
