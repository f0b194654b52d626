#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

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

// Loads a template from a Qt resource path such as ":/res/MainDialog.json"; throws
// std::runtime_error for a malformed template (a programming error, not user input).
DialogTemplate LoadDialogTemplate(const QString& resourcePath);

// Dialog units to pixels for the given dialog font: x by the average character width / 4,
// y by the character height / 8.
QRect DialogUnitsToPixels(const QRect& dialogUnits, const QFont& font);
QSize DialogUnitsToPixels(const QSize& dialogUnits, const QFont& font);

} // namespace qmcal
