#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "data/Layouts.h"
#include "data/ParamImage.h"
#include "pages/CellEditorController.h"
#include "pages/GridDialog.h"
#include "pages/PageTraits.h"
#include "pages/RadioRunner.h"

class QComboBox;
class QTabWidget;

namespace qmcal {

class CMSFlexGrid;
class CellEdit;
class UpDownControl;

// One calibration page: a grid of the points of one band slot, band tabs, cell editors placed
// over the grid, live sends, keying and store buttons, all driven by the page's PageTraits. A
// page class passes its traits to the constructor, connects the buttons the traits do not
// describe, and calls Initialise() as the last statement of its constructor (so that its
// overrides take part). Everything a page may change is a virtual hook below; the rest is shared.
class CalPage : public GridDialog {
    Q_OBJECT

public:
    ~CalPage() override;

    // ---- page operations ----------------------------------------------------------------
    // The grid's shape for the current slot: fixed columns, rows, columns, captions, widths.
    virtual void SetupGrid();
    // SetupGrid, then every cell from the image (LoadCell).
    virtual void LoadGrid();
    // CommitEditors, SaveExtras, then every cell into the image (SaveCell).
    virtual void SaveGrid();
    // The live send of the current cell: SetFrequency for column 0, SetParam with the
    // column's sub-code otherwise; on the caption row, the column's caption setting.
    virtual void SendCurrentCell();
    virtual void StoreCurrent();
    virtual void StoreAll();

    // The image was replaced (New, Open, Read): drop whatever an open editor holds and reload
    // the current slot, so that no value older than the image can be saved into it.
    virtual void ImageReplaced();
    // The page is about to go: the grid is saved into the image.
    virtual void DestroyWindow();
    // The page's radio calls run on thread from now on, while the window keeps painting.
    void SetLinkThread(LinkThread* thread) { m_link.SetThread(thread); }

    // ---- what the page is made of -------------------------------------------------------
    int Slot() const { return m_slot; }
    const PageTraits& Traits() const { return m_traits; }
    QTabWidget* BandTabs() const { return m_tabs; }
    CellEdit* FrequencyEditor() const { return m_editors->FrequencyEditor(); }
    CellEdit* ValueEditor(int editorId) const { return m_editors->ValueEditor(editorId); }
    QComboBox* ListEditor(int editorId) const { return m_editors->ListEditor(editorId); }

protected:
    // Builds the controls from the traits' template as children of parent (a child window).
    CalPage(const PageTraits& traits, ParamImage& image, RadioLink& link, QWidget* parent);

    // The page's dialog initialisation: first slot, control set-up, SetupControls, LoadGrid.
    void Initialise();

    // ---- hooks ----------------------------------------------------------------------------
    // Set-up of controls the traits does not describe (extra fields, tab widths).
    virtual void SetupControls() {}
    // What the keying's start button ("PTT Start" or "Test") sends before PttStart or
    // TestStart, for the current cell; false: no key. Default: SaveAndTune of the row and, when
    // the radio took the frequency, the row's whole record (SendRecord).
    virtual bool BeforeKey(int row, int col);
    // After LoadGrid has filled the cells / after CommitEditors and before the cells are saved.
    virtual void LoadExtras() {}
    virtual void SaveExtras() {}
    // Enter pressed; focus is the widget that had the keyboard focus when it was pressed.
    // Default: SaveGrid, then SendCurrentCell when that was the grid or a cell editor, or the
    // field's setting when that was a global field.
    virtual void EnterPressed(QWidget* focus);
    // Grid mouse press. Default: left button on a data cell opens its editor; right button
    // focuses the grid when the traits says so.
    virtual void GridMousePressed(int button, int shift, int x, int y);
    // One cell's text from the image and back, as the page table says.
    virtual QString LoadCell(int row, int col) const;
    virtual void SaveCell(int row, int col, const QString& text);

    // ---- helpers for page sequences -----------------------------------------------------
    ParamImage& Image() const { return m_image; }
    const RadioRunner& Link() const { return m_link; }
    const BandLayout& Layout() const { return *m_traits.table->layout; }
    std::uint8_t Code() const { return Layout().commandCode; }
    // IdBlock offset of the frequency word of data row (1-based) of the current slot.
    std::uint16_t FreqOffset(int row) const;
    // ParamArea address of the field of column col (>= 1) in data row of the current slot.
    std::uint16_t FieldAddress(int row, int col) const;
    const RecordField& Field(int col) const;
    // How every page button begins: SaveGrid, then SetFrequency of row; whether the radio
    // acknowledged the frequency.
    bool SaveAndTune(int row);
    // SetParam of the field of (row, col) from the image; SendRecord does it for every field
    // of the row's record in layout order. Fields without a sub-code are not sent.
    void SendField(int row, int col);
    void SendRecord(int row);
    // SetGlobal of a setting, unless it has no sub-code.
    void SendGlobal(const GlobalSetting& setting);
    // Whether the last exchange succeeded.
    bool LastOk() const;
    bool IsCellEditor(const QWidget* widget) const { return m_editors->IsCellEditor(widget); }

private:
    struct GlobalFieldParts {
        const GlobalFieldTraits* traits = nullptr;
        CellEdit* edit = nullptr;
        UpDownControl* upDown = nullptr;
    };

    void BuildControls();
    void BandTabChanged(int index);
    // The keying's buttons: BeforeKey, then the key; and the key's end.
    void StartPressed();
    void EndPressed();
    const GlobalFieldParts* FindGlobalField(const QWidget* edit) const;
    // The frequency editor's text as the current slot's cell text.
    std::optional<QString> FrequencyCellText(const QString& typed) const;

    const PageTraits& m_traits;
    ParamImage& m_image;
    RadioRunner m_link;
    CMSFlexGrid* m_grid = nullptr;
    QTabWidget* m_tabs = nullptr;
    std::unique_ptr<CellEditorController> m_editors;
    std::vector<GlobalFieldParts> m_globalFields;
    int m_slot = -1;
    bool m_destroyed = false;
};

} // namespace qmcal
