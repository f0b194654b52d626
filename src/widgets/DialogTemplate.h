#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <vector>

class QWidget;

namespace qmcal {

// A dialog laid out as data (res/*.json): controls with their ids, kinds, texts and rectangles
// in dialog units, turned into pixels from the dialog font the way the platform does.
enum class ControlKind {
    Label,
    Edit,
    Button,
    RadioButton,
    GroupBox,
    EtchedLine,
    TabControl,
    Placeholder,
    UpDown,
    DropDownList,
    Grid,
};

struct ControlTemplate {
    int id = -1;              // -1 for static texts without an id
    ControlKind kind = ControlKind::Label;
    QString text;
    QRect rect;               // dialog units
    QStringList flags;        // e.g. "hidden", "readonly", "center", "right", "uppercase", "border"
    bool HasFlag(const QString& flag) const { return flags.contains(flag); }
};

struct DialogTemplate {
    int id = 0;
    QString caption;
    QSize size;               // dialog units
    QString fontFamily;
    int fontPointSize = 9;
    std::vector<ControlTemplate> controls;

    const ControlTemplate* Control(int controlId) const;
};

// Loads a template from a Qt resource path such as ":/res/MainDialog.json", its texts translated
// from the context named after the file ("MainDialog"); throws
// std::runtime_error for a malformed template (a programming error, not user input).
DialogTemplate LoadDialogTemplate(const QString& resourcePath);

// Dialog units to pixels for the given dialog font: x by the average character width / 4,
// y by the character height / 8.
QRect DialogUnitsToPixels(const QRect& dialogUnits, const QFont& font);
QSize DialogUnitsToPixels(const QSize& dialogUnits, const QFont& font);

// The template's font: family and point size.
QFont DialogFont(const DialogTemplate& dialog);

// The controls a reader meets, in reading order: the shown ones (hidden controls are left out)
// line by line from the top, left to right within a line; a control starts a new line unless
// its middle lies beside the line's first control. Indices into dialog.controls.
std::vector<std::size_t> ReadingOrder(const DialogTemplate& dialog);

// The templates name Windows fonts (宋体, MS Sans Serif, Times New Roman). Where a font is not
// installed, Qt is told which installed families stand in for it, chosen for base units close
// to the original's and, for 宋体, for Chinese glyphs. Call once the application object exists.
void InstallDialogFontSubstitutes();

// The widgets made from a template, by control id (static texts without an id are made but
// not listed).
class DialogControls {
public:
    QWidget* Widget(int id) const;
    template <typename T>
    T* Get(int id) const { return qobject_cast<T*>(Widget(id)); }
    void Add(int id, QWidget* widget);

private:
    std::map<int, QWidget*> m_byId;
};

// Makes one control; returning nullptr falls back to the standard widget for its kind. Lets a
// page put its own widget (a grid, say) where the template has a control.
using ControlFactory = std::function<QWidget*(const ControlTemplate& control, QWidget* parent)>;

// Creates the template's controls as children of parent, in template order (which is also the
// tab order), at their pixel rectangles for the dialog font, and gives parent that font.
// Kinds map to: Label QLabel, Edit QLineEdit, Button QPushButton, RadioButton QRadioButton
// (each "group" flag starts a new exclusive QButtonGroup), GroupBox QGroupBox, EtchedLine a
// sunken QFrame, TabControl QTabBar (children may be placed on it), Placeholder and Grid a
// plain QWidget, UpDown QSpinBox, DropDownList QComboBox. Flags: "hidden", "disabled",
// "readonly", "center", "right", "vcenter" (a label centred on its rectangle's height),
// "uppercase", "default" (the default button), "group". A static text names the edit that
// follows it on its line (its buddy), which is what a screen reader announces for the edit.
DialogControls BuildDialogControls(QWidget& parent, const DialogTemplate& dialog,
                                   const ControlFactory& factory = {});

} // namespace qmcal
