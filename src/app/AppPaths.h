#pragma once

#include <QString>

namespace qmcal {

// The folder part of an executable's path, up to and including its last separator; empty
// when the path has none (files are then taken relative to the current directory).
QString ExeFolderOf(const QString& exePath);

// ExeFolderOf the running executable. Needs a QCoreApplication.
QString ExeFolder();

// exeFolder + "DATA", without a trailing separator.
QString DataFolder(const QString& exeFolder);

// Creates the folder when it is missing. Failure is not reported to the user: the file
// dialogs then simply start elsewhere.
bool EnsureFolder(const QString& folder);

} // namespace qmcal
