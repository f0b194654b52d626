#pragma once

#include <QString>
#include <QStringList>

namespace qmcal {

// What the shell knows beyond the image and the link. One instance, owned by CalApp.
struct ShellState {
    QString exeFolder;         // with its trailing separator, or empty
    QString dataFolder;        // where the file dialogs start: exeFolder + "DATA", or <Documents>/qmcal
    QString defaultFile;       // the Default.dat New loads; empty when there is none
    QString currentFileName;   // the parameter file last opened or saved; empty after New
    bool imageFromRadio = false;  // set by a successful Read, cleared by New
    QString radioSource;       // "read from the radio on PORT at TIME" of the last successful Read
    QStringList extraPorts;    // --port NAME, probed before the system's ports
    bool workbench = false;    // --workbench: show the calibration pages
    bool settingsFailureSaid = false;  // an unwritable Program.ini is said once, not at every write
};

} // namespace qmcal
