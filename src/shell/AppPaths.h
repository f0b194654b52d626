#pragma once

#include <QString>
#include <QStringList>

namespace qmcal {

// The folder part of an executable's path, up to and including its last separator; empty
// when the path has none (files are then taken relative to the current directory).
QString ExeFolderOf(const QString& exePath);

// ExeFolderOf the running executable. Needs a QCoreApplication.
QString ExeFolder();

// exeFolder + "DATA", without a trailing separator.
QString DataFolder(const QString& exeFolder);

// Creates the folder when it is missing (its parent must exist). False when it is not a
// folder afterwards.
bool EnsureFolder(const QString& folder);

enum class PathMode {
    Portable,   // a Default.dat beside the executable: every file lives in its folder
    Installed,  // none there: per-user folders, and Default.dat from the shared data folders
};

// Where the program's files live. Decided once at start-up and handed down from there.
struct AppLocations {
    PathMode mode = PathMode::Portable;
    QString exeFolder;       // with its trailing separator, or empty
    QString defaultFile;     // the Default.dat New loads; empty when there is none
    QString settingsFolder;  // holds Program.ini; with its trailing separator, or empty
    QString dataFolder;      // where the file dialogs start; no trailing separator
};

// Names a data folder that replaces the mode's own, when set and not empty.
inline constexpr char kDataFolderVariable[] = "QMCAL_DATA_DIR";

// Portable: Program.ini and DATA beside the executable, as the program has always kept them.
// Installed: nothing is written beside the executable, not even by root; Program.ini in
// $XDG_CONFIG_HOME/qmcal (~/.config/qmcal), the dialogs' folder <Documents>/qmcal. An unset,
// empty or relative HOME, or HOME=/, is no home folder: both folders stay empty.
// Reads the environment; creates nothing.
AppLocations ResolveModeLocations(const QString& exeFolder);

// ResolveModeLocations, with the data folder $QMCAL_DATA_DIR names, if any.
AppLocations ResolveLocations(const QString& exeFolder);

// Creates the folders the mode needs: DATA beside the executable, or the settings and documents
// folders with any missing parents. Returns one line per folder that could not be made.
QStringList PrepareLocations(const AppLocations& locations);

// The line that says Program.ini (or another settings file) could not be written.
QString CannotWriteText(const QString& path);

// A file-location problem on standard error, as "qmcal: <text>".
void PrintLocationProblem(const QString& text);

} // namespace qmcal
