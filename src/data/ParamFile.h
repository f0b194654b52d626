#pragma once

#include "data/FileResult.h"
#include "data/ParamImage.h"

#include <QString>

namespace qmcal {

QString WrongModelText();  // "文件不匹配"

// ExeFolder + "Default.dat"; New reads it from the executable's folder, not from DATA.
QString DefaultFilePath(const QString& exeFolder);

// The Default.dat that New loads: the one beside the executable when there is one (a build tree
// or an unpacked folder), else "qmcal/Default.dat" in the first data folder that holds it
// ($XDG_DATA_HOME, then $XDG_DATA_DIRS; /usr/share/qmcal when installed to /usr). Empty when
// there is none.
QString FindDefaultFile(const QString& exeFolder);

// Zeroes ParamArea 0xFCB0..0xFCFF. Runs before every Save, Save As and Export, before their
// dialog, so it stands even when the dialog is cancelled.
void ClearBeforeSave(ParamImage& image);

// Loads Default.dat into IdBlock and ParamArea (whatever the identifier) and copies ParamArea
// into the reference area. A missing file changes nothing. Returns whether the file was read.
bool NewImage(ParamImage& image, const QString& defaultPath);

// Loads a parameter file after checking its model identifier; on failure nothing changes.
FileResult OpenImageFile(ParamImage& image, const QString& path);

// Writes IdBlock as it is, then ParamArea. The caller runs Save As instead when no file is
// current.
FileResult SaveImageFile(ParamImage& image, const QString& path);

// Stamps the IdBlock header, then writes like SaveImageFile. A failed write leaves the target
// file as it was and the header unstamped.
FileResult SaveImageFileAs(ParamImage& image, const QString& path);

} // namespace qmcal
