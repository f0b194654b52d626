#pragma once

#include <deque>
#include <functional>
#include <memory>

#include <QDialog>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include "app/AppContext.h"
#include "app/HeaderReporter.h"
#include "shell/IniSettings.h"
#include "app/MainDialog.h"
#include "app/ShellState.h"
#include "app/UserDialogs.h"
#include "data/FactoryImage.h"
#include "data/ParamFile.h"
#include "data/SessionLog.h"
#include "link/LinkThread.h"
#include "link/QueuedReporter.h"
#include "link/RadioLink.h"
#include "support/SimPorts.h"

namespace qmcal::test {

// Answers every modal question from a script and keeps what was asked.
class ScriptedDialogs final : public UserDialogs {
public:
    QString OpenFileName(QWidget*, const FileDialogOptions& options) override
    {
        openAsked.push_back(options);
        return Next(openAnswers);
    }
    QString SaveFileName(QWidget*, const FileDialogOptions& options) override
    {
        saveAsked.push_back(options);
        return Next(saveAnswers);
    }
    void Message(QWidget* parent, const QString& text) override
    {
        messages << text;
        if (onMessage)
            onMessage(parent, text);
    }
    bool Ask(QWidget*, const QString& text) override
    {
        questions << text;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return false;
        }
        const bool ok = answers.front();
        answers.pop_front();
        return ok;
    }
    int RunModal(QDialog& dialog) override
    {
        ++modalRuns;
        if (!modal) {
            ADD_FAILURE() << "unexpected modal dialog " << dialog.windowTitle().toStdString();
            return QDialog::Rejected;
        }
        dialog.show();
        const int result = modal(dialog);
        dialog.hide();
        return result;
    }

    std::deque<QString> openAnswers;  // empty string: cancelled
    std::deque<QString> saveAnswers;
    std::vector<FileDialogOptions> openAsked;
    std::vector<FileDialogOptions> saveAsked;
    QStringList messages;
    std::deque<bool> answers;  // to Ask: true for OK
    QStringList questions;
    std::function<void(QWidget*, const QString&)> onMessage;  // shows the message for real
    std::function<int(QDialog&)> modal;  // drives a shown dialog and returns its result
    int modalRuns = 0;

private:
    static QString Next(std::deque<QString>& answers)
    {
        if (answers.empty())
            return QString();
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Everything CalApp owns, in a temporary executable folder with a factory Default.dat; the link's
// calls run on its own thread, as in the program.
struct AppHarness {
    AppHarness()
    {
        shell.exeFolder = exeDir.path() + QLatin1Char('/');
        shell.dataFolder = shell.exeFolder + QStringLiteral("DATA");
        settings.SetFileName(shell.exeFolder, QStringLiteral("Program.ini"));
        ParamImage factory;
        FillFactoryImage(factory);
        shell.defaultFile = DefaultFilePath(shell.exeFolder);
        EXPECT_TRUE(SaveImageFileAs(factory, shell.defaultFile).ok);
        log.SetDataFolder(shell.dataFolder);
        link.SetSessionLog(&log);
    }

    // Today's session log, line by line.
    QStringList LogLines() const
    {
        QFile file(SessionLogFolder(shell.dataFolder) + QLatin1Char('/') + SessionLogFileName(QDateTime::currentDateTime()));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    std::unique_ptr<MainDialog> MakeDialog(PortLister lister = [] { return QStringList(); })
    {
        MainDialogSeams seams;
        seams.pageFactory = {};
        seams.portLister = std::move(lister);
        seams.portAccess.open = ports.Opener();
        seams.portAccess.permissionDenied = [](const QString&) { return false; };
        seams.openUrl = [this](const QUrl& url) {
            urlsOpened << url;
            return true;
        };
        return std::make_unique<MainDialog>(context, std::move(seams));
    }

    QString IniText() const
    {
        QFile file(settings.FilePath());
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }

    QTemporaryDir exeDir;
    ScriptedDialogs dialogs;
    HeaderReporter reporter{dialogs};
    QueuedReporter linkReporter{reporter};
    ParamImage image;
    CommandNameMap names = MakeCommandNameMap();
    ShellState shell;
    IniSettings settings;
    QStringList logFailures;
    SessionLog log{[this](const QString& text) { logFailures << text; }};
    RadioLink link{image, names, linkReporter};
    LinkThread linkThread{link, &linkReporter};
    AppContext context{image, link, names, shell, settings, dialogs, reporter, log, &linkThread};
    FakePorts ports;
    QList<QUrl> urlsOpened;  // by the desktop, which the tests never start
};

} // namespace qmcal::test
