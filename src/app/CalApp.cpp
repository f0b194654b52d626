#include "app/CalApp.h"

#include <QFileInfo>
#include <QTimer>

#include "link/QueuedCall.h"
#include "shell/AppPaths.h"

namespace qmcal {

CalApp::CalApp(Options options)
{
    m_shell.extraPorts = std::move(options.extraPorts);
    m_shell.workbench = options.workbench;
    m_link.SetSessionLog(&m_log);
    if (!options.file.isEmpty())
        m_startFile = QFileInfo(options.file).absoluteFilePath();
}

void CalApp::SayLogFailure(const QString& text)
{
    PrintLocationProblem(text);
    // Never in the Prompt, whose texts are the described ones.
    QueueCall(&m_uiThread, [this, text] { m_dialogs.Message(nullptr, text); });
}

int CalApp::Run()
{
    const AppLocations where = ResolveLocations(ExeFolder());
    m_shell.exeFolder = where.exeFolder;
    m_shell.dataFolder = where.dataFolder;
    m_shell.defaultFile = where.defaultFile;
    const QStringList problems = PrepareLocations(where);
    for (const QString& problem : problems)
        PrintLocationProblem(problem);
    m_log.SetDataFolder(where.dataFolder);
    m_commandNames = MakeCommandNameMap();
    // Without a home folder there is no Program.ini; the line above has said so once.
    if (where.settingsFolder.isEmpty())
        m_shell.settingsFailureSaid = true;
    else
        m_settings.SetFileName(where.settingsFolder, QStringLiteral("Program.ini"));

    {
        MainDialog dialog(m_context);
        // After the dialog's own start-up, which clears the Prompt field with New.
        if (!problems.isEmpty())
            m_reporter.ShowPrompt(problems.join(QStringLiteral("; ")));
        // Once the window shows, so that a message about the file has the window behind it.
        if (!m_startFile.isEmpty())
            QTimer::singleShot(0, &dialog, [&dialog, this] { dialog.OpenFile(m_startFile); });
        dialog.exec();
    }

    // An empty name leaves the file as it was.
    const QString port = m_link.CurrentPortName();
    if (!port.isEmpty() && m_settings.Write(QStringLiteral("Setup"), QStringLiteral("COM"), port) == 0
        && !m_shell.settingsFailureSaid)
        PrintLocationProblem(CannotWriteText(m_settings.FilePath()));
    return 0;
}

} // namespace qmcal
