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
// into the reference area. A missing file changes nothing; so does one that is not whole (a
// refusal, which the caller may say). A longer file loads its first 69632 bytes, with a note.
FileResult NewImage(ParamImage& image, const QString& defaultPath);

// Loads a parameter file after checking its model identifier and that it is whole; on failure
// nothing changes. An empty file is "文件不匹配 (the file is empty)", a short one is refused
// with both sizes, a longer one loads its first 69632 bytes and carries a note on the rest.
// A pipe, a device or a folder is refused as not a regular file.
FileResult OpenImageFile(ParamImage& image, const QString& path);

// Writes IdBlock as it is, then ParamArea. The caller runs Save As instead when no file is
// current.
FileResult SaveImageFile(ParamImage& image, const QString& path);

// Stamps the IdBlock header, then writes like SaveImageFile. A failed write leaves the target
// file as it was and the header unstamped.
FileResult SaveImageFileAs(ParamImage& image, const QString& path);

} // namespace qmcal
