// A dialog template from arbitrary bytes: loaded, mapped to pixels and built into widgets, on
// the offscreen platform. A malformed template may be refused, but only with the loader's error.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include <QApplication>
#include <QWidget>

#include "FuzzSupport.h"
#include "widgets/DialogTemplate.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qmcal;
    using namespace qmcal::fuzz;
    const QString path = ScratchPath("dialog.json");
    WriteFile(path, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));

    DialogTemplate dialog;
    try {
        dialog = LoadDialogTemplate(path);
    } catch (const std::runtime_error& error) {
        FUZZ_CHECK(QString::fromUtf8(error.what()).startsWith(path));
        return 0;
    }
    const QFont font = DialogFont(dialog);
    const QSize pixelSize = DialogUnitsToPixels(dialog.size, font);
    FUZZ_CHECK(pixelSize.width() >= 0 && pixelSize.height() >= 0);
    for (const ControlTemplate& control : dialog.controls) {
        const QRect pixels = DialogUnitsToPixels(control.rect, font);
        FUZZ_CHECK(pixels.width() >= 0 && pixels.height() >= 0);
    }
    // Widgets are slow to make; a few dozen controls show as much as thousands.
    if (dialog.controls.size() > 48)
        return 0;
    QWidget parent;
    const DialogControls controls = BuildDialogControls(parent, dialog);
    for (const ControlTemplate& control : dialog.controls) {
        if (control.id >= 0)
            FUZZ_CHECK(controls.Widget(control.id) != nullptr);
    }
    return 0;
}
