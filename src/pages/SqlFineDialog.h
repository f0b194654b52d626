#pragma once

#include <memory>

#include "pages/CellEditorController.h"
#include "pages/GridDialog.h"
#include "pages/RadioRunner.h"

namespace qmcal {

class CellEdit;
class ParamImage;

// The squelch fine offsets of all eleven bands in one grid: a signed byte per band for the W
// and for the N setting. Enter (also the one each up-down step presses) stores the current
// cell's byte in the radio at once; "Read" fetches all of them from the radio.
class SqlFineDialog final : public GridDialog {
    Q_OBJECT

public:
    static constexpr int kIdValueEditor = 1170;
    static constexpr int kIdValueSpin = 1171;
    static constexpr int kIdRead = 1006;
    static const PageTraits kTraits;

    SqlFineDialog(ParamImage& image, RadioLink& link, QWidget* parent);

    // Shapes and labels the grid and fills it from the image.
    void LoadGrid();
    // The value commit without closing, then every offset cell into the image.
    void SaveGrid();
    // The offsets from the radio into the image, and on success into the grid.
    void Read();

    CellEdit* ValueEditor() const { return m_editor; }
    // Read and the stores run on thread from now on, while the window keeps painting.
    void SetLinkThread(LinkThread* thread) { m_link.SetThread(thread); }

    // The grid goes into the image when the dialog closes, however it is closed.
    void done(int result) override;

private:
    // Enter: SaveGrid, then the current cell's byte into the radio when the focus was in the
    // grid or the editor.
    void EnterPressed(QWidget* focus);
    void GridMousePressed(int button);
    void StoreCurrentCell();

    ParamImage& m_image;
    RadioRunner m_link;
    CellEdit* m_editor = nullptr;
    UpDownControl* m_upDown = nullptr;
    std::unique_ptr<CellEditorController> m_editors;
};

} // namespace qmcal
