#pragma once

#include <QObject>
#include <QStringList>

#include "app/HeaderReporter.h"
#include "shell/IniSettings.h"
#include "app/MainDialog.h"
#include "app/QtUserDialogs.h"
#include "app/ShellState.h"
#include "data/SessionLog.h"
#include "link/LinkThread.h"
#include "link/QueuedReporter.h"
#include "link/RadioLink.h"

namespace qmcal {

// The application object: owns the image, the link and the shell state, runs the main window
// and saves the port in use when it has closed.
class CalApp {
public:
    struct Options {
        QStringList extraPorts;  // probed before the system's ports
        bool workbench = false;
        QString file;  // opened at start as File > Open would; may be relative
    };

    explicit CalApp(Options options);
    CalApp(const CalApp&) = delete;
    CalApp& operator=(const CalApp&) = delete;

    // Start-up, the main window until it closes, shutdown. Needs a QApplication.
    int Run();

private:
    // A log that cannot be written: on standard error and in a warning box, once.
    void SayLogFailure(const QString& text);

    QtUserDialogs m_dialogs;
    QObject m_uiThread;  // the log's failure reaches the UI thread through it, from any thread
    SessionLog m_log{[this](const QString& text) { SayLogFailure(text); }};
    HeaderReporter m_reporter{m_dialogs};
    QueuedReporter m_linkReporter{m_reporter};  // the link reports from its own thread
    QString m_startFile;
    ParamImage m_image;
    CommandNameMap m_commandNames;
    ShellState m_shell;
    IniSettings m_settings;
    RadioLink m_link{m_image, m_commandNames, m_linkReporter};
    LinkThread m_linkThread{m_link, &m_linkReporter};
    AppContext m_context{m_image, m_link, m_commandNames, m_shell, m_settings, m_dialogs, m_reporter, m_log,
                         &m_linkThread};
};

} // namespace qmcal
