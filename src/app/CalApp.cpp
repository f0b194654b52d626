#include "app/CalApp.h"

#include "app/AppPaths.h"

namespace qmcal {

CalApp::CalApp(Options options)
{
    m_shell.extraPorts = std::move(options.extraPorts);
    m_shell.workbench = options.workbench;
}

int CalApp::Run()
{
    m_shell.exeFolder = ExeFolder();
    m_shell.dataFolder = DataFolder(m_shell.exeFolder);
    EnsureFolder(m_shell.dataFolder);
    m_commandNames = MakeCommandNameMap();
    m_settings.SetFileName(m_shell.exeFolder, QStringLiteral("Program.ini"));

    {
        MainDialog dialog(m_context);
        dialog.exec();
    }

    // An empty name leaves the file as it was; a failed write goes unreported.
    m_settings.Write(QStringLiteral("Setup"), QStringLiteral("COM"), m_link.CurrentPortName());
    return 0;
}

} // namespace qmcal
