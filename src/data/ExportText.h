#pragma once

#include "data/FileResult.h"
#include "data/ParamImage.h"

#include <QByteArray>
#include <QString>

namespace qmcal {

// The ten export ranges of the ParamArea as hexadecimal byte lists, CR LF line breaks.
QByteArray ExportBytes(const AreaBytes& area);

// Clears 0xFCB0..0xFCFF (as before a save), then writes ExportBytes to path.
FileResult ExportText(ParamImage& image, const QString& path);

} // namespace qmcal
