#include "widgets/DialogTemplate.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFile>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

namespace qmcal {

namespace {

constexpr std::array<std::pair<const char*, ControlKind>, 11> kKindNames{{
    {"Label", ControlKind::Label},
    {"Edit", ControlKind::Edit},
    {"Button", ControlKind::Button},
    {"RadioButton", ControlKind::RadioButton},
    {"GroupBox", ControlKind::GroupBox},
    {"EtchedLine", ControlKind::EtchedLine},
    {"TabControl", ControlKind::TabControl},
    {"Placeholder", ControlKind::Placeholder},
    {"UpDown", ControlKind::UpDown},
    {"DropDownList", ControlKind::DropDownList},
    {"Grid", ControlKind::Grid},
}};

[[noreturn]] void Malformed(const QString& where, const QString& what)
{
    throw std::runtime_error((where + QStringLiteral(": ") + what).toStdString());
}

ControlKind KindFromName(const QString& name, const QString& where)
{
    for (const auto& [text, kind] : kKindNames) {
        if (name == QLatin1String(text))
            return kind;
    }
    Malformed(where, QStringLiteral("unknown control kind \"%1\"").arg(name));
}

// Dialog units are 16-bit in the platform's templates. Keeping to them also keeps every edge
// and every pixel value computed from them far inside an int.
constexpr int kMinUnits = -32768;
constexpr int kMaxUnits = 32767;
// Beyond this a dialog font is a slip; with it the pixel values stay within a widget's range.
constexpr int kMaxPointSize = 72;
// The largest widget Qt makes; pixel values are held to it.
constexpr qint64 kMaxPixels = QWIDGETSIZE_MAX;

int UnitsAt(const QJsonArray& array, int index, int minimum, const QString& where)
{
    const QJsonValue v = array.at(index);
    if (!v.isDouble())
        Malformed(where, QStringLiteral("expected a number"));
    const double units = v.toDouble();
    if (units != std::floor(units) || units < minimum || units > kMaxUnits)
        Malformed(where, QStringLiteral("%1 is not a whole number of dialog units from %2 to %3")
                             .arg(QString::number(units, 'g', 17)).arg(minimum).arg(kMaxUnits));
    return static_cast<int>(units);
}

QRect RectFrom(const QJsonValue& value, const QString& where)
{
    const QJsonArray a = value.toArray();
    if (a.size() != 4)
        Malformed(where, QStringLiteral("rect must be [x, y, width, height]"));
    return QRect(UnitsAt(a, 0, kMinUnits, where), UnitsAt(a, 1, kMinUnits, where),
                 UnitsAt(a, 2, 0, where), UnitsAt(a, 3, 0, where));
}

QSize SizeFrom(const QJsonValue& value, const QString& where)
{
    const QJsonArray a = value.toArray();
    if (a.size() != 2)
        Malformed(where, QStringLiteral("size must be [width, height]"));
    return QSize(UnitsAt(a, 0, 0, where), UnitsAt(a, 1, 0, where));
}

ControlTemplate ControlFrom(const QJsonObject& object, const QString& where)
{
    ControlTemplate control;
    control.id = object.value(QLatin1String("id")).toInt(-1);
    control.kind = KindFromName(object.value(QLatin1String("kind")).toString(), where);
    control.text = object.value(QLatin1String("text")).toString();
    control.rect = RectFrom(object.value(QLatin1String("rect")), where);
    for (const QJsonValue& flag : object.value(QLatin1String("flags")).toArray())
        control.flags.append(flag.toString());
    return control;
}

struct DialogMetrics {
    int charWidth = 0;
    int charHeight = 0;
};

// The platform's base units of a dialog font: the average width of the Latin letters and the
// character height.
DialogMetrics MetricsOf(const QFont& font)
{
    static const QString kLetters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetrics metrics(font);
    const double average = metrics.horizontalAdvance(kLetters) / 52.0;
    return {static_cast<int>(std::lround(average)), metrics.height()};
}

// MulDiv(units, base, divisor), rounded half away from zero as the platform does, and held
// to what a widget can be.
qint64 Scale(qint64 units, int base, int divisor)
{
    const double pixels = std::round(static_cast<double>(units) * base / divisor);
    const auto limit = static_cast<double>(kMaxPixels);
    return static_cast<qint64>(std::clamp(pixels, -limit, limit));
}

Qt::Alignment HorizontalAlignment(const ControlTemplate& control)
{
    if (control.HasFlag(QStringLiteral("center")))
        return Qt::AlignHCenter;
    if (control.HasFlag(QStringLiteral("right")))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

QWidget* MakeStandardControl(const ControlTemplate& control, QWidget* parent)
{
    switch (control.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(control.text, parent);
        // Static texts sit at the top of their rectangle, unless centred beside a field.
        label->setAlignment(HorizontalAlignment(control)
                            | (control.HasFlag(QStringLiteral("vcenter")) ? Qt::AlignVCenter : Qt::AlignTop));
        if (control.HasFlag(QStringLiteral("border")))
            label->setFrameStyle(QFrame::Box | QFrame::Plain);
        return label;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(control.text, parent);
        edit->setReadOnly(control.HasFlag(QStringLiteral("readonly")));
        edit->setAlignment(HorizontalAlignment(control) | Qt::AlignVCenter);
        return edit;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(control.text, parent);
        button->setDefault(control.HasFlag(QStringLiteral("default")));
        button->setAutoDefault(false);
        return button;
    }
    case ControlKind::RadioButton:
        return new QRadioButton(control.text, parent);
    case ControlKind::GroupBox:
        return new QGroupBox(control.text, parent);
    case ControlKind::EtchedLine: {
        auto* line = new QFrame(parent);
        line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
        return line;
    }
    case ControlKind::TabControl:
        return new QTabBar(parent);
    case ControlKind::UpDown:
        return new QSpinBox(parent);
    case ControlKind::DropDownList:
        return new QComboBox(parent);
    case ControlKind::Placeholder:
    case ControlKind::Grid:
        return new QWidget(parent);
    }
    return new QWidget(parent);
}

// A static text drawn in a font wider than the template's (the dialog font may be missing and
// replaced) grows out of its rectangle, on the side away from its alignment, rather than
// cutting its text off.
void FitLabelToText(QLabel& label)
{
    const int extra = label.sizeHint().width() - label.width();
    if (label.text().isEmpty() || label.wordWrap() || extra <= 0)
        return;
    QRect rect = label.geometry();
    const Qt::Alignment horizontal = label.alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignRight) {
        rect.setLeft(rect.left() - extra);
    } else if (horizontal & Qt::AlignHCenter) {
        rect.setLeft(rect.left() - extra / 2);
        rect.setRight(rect.right() + extra - extra / 2);
    } else {
        rect.setRight(rect.right() + extra);
    }
    label.setGeometry(rect);
}

// Each static text becomes the buddy of the nearest edit to its right whose middle lies beside
// it, as the header's "Port" names the field after it.
void NameEditsByLabels(const DialogTemplate& dialog, const std::vector<QWidget*>& widgets)
{
    for (std::size_t l = 0; l < dialog.controls.size(); ++l) {
        auto* label = qobject_cast<QLabel*>(widgets[l]);
        if (label == nullptr || dialog.controls[l].kind != ControlKind::Label)
            continue;
        const QRect text = dialog.controls[l].rect;
        QWidget* nearest = nullptr;
        int distance = 0;
        for (std::size_t e = 0; e < dialog.controls.size(); ++e) {
            const QRect field = dialog.controls[e].rect;
            const int gap = field.left() - text.right();
            const int middle = field.center().y();
            if (qobject_cast<QLineEdit*>(widgets[e]) == nullptr || gap < 0 || middle < text.top()
                || middle > text.bottom() || (nearest != nullptr && gap >= distance))
                continue;
            nearest = widgets[e];
            distance = gap;
        }
        if (nearest != nullptr)
            label->setBuddy(nearest);
    }
}

} // namespace

const ControlTemplate* DialogTemplate::Control(int controlId) const
{
    for (const ControlTemplate& control : controls) {
        if (control.id == controlId)
            return &control;
    }
    return nullptr;
}

namespace {

// Texts in the language installed, from the catalogue's context named after the template.
void Translate(DialogTemplate& dialog, const QString& resourcePath)
{
    const QByteArray context = QFileInfo(resourcePath).baseName().toUtf8();
    const auto translated = [&context](const QString& text) {
        return text.isEmpty() ? text : QCoreApplication::translate(context.constData(), text.toUtf8().constData());
    };
    dialog.caption = translated(dialog.caption);
    for (ControlTemplate& control : dialog.controls)
        control.text = translated(control.text);
}

} // namespace

DialogTemplate LoadDialogTemplate(const QString& resourcePath)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        Malformed(resourcePath, QStringLiteral("cannot be read"));
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (document.isNull())
        Malformed(resourcePath, error.errorString());
    const QJsonObject root = document.object();

    DialogTemplate dialog;
    dialog.id = root.value(QLatin1String("id")).toInt();
    dialog.caption = root.value(QLatin1String("caption")).toString();
    dialog.size = SizeFrom(root.value(QLatin1String("size")), resourcePath);
    const QJsonObject font = root.value(QLatin1String("font")).toObject();
    dialog.fontFamily = font.value(QLatin1String("family")).toString();
    dialog.fontPointSize = font.value(QLatin1String("pointSize")).toInt(9);
    if (dialog.fontFamily.isEmpty() || dialog.fontPointSize <= 0 || dialog.fontPointSize > kMaxPointSize)
        Malformed(resourcePath,
                  QStringLiteral("font needs a family and a point size from 1 to %1").arg(kMaxPointSize));

    const QJsonArray controls = root.value(QLatin1String("controls")).toArray();
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QString where = QStringLiteral("%1, control %2").arg(resourcePath).arg(i);
        if (!controls.at(i).isObject())
            Malformed(where, QStringLiteral("expected an object"));
        dialog.controls.push_back(ControlFrom(controls.at(i).toObject(), where));
    }
    Translate(dialog, resourcePath);
    return dialog;
}

QRect DialogUnitsToPixels(const QRect& dialogUnits, const QFont& font)
{
    // Each edge is scaled on its own, as the platform maps a rectangle. The edges are taken as
    // they are stored: width() of an extreme rectangle does not fit an int.
    const DialogMetrics m = MetricsOf(font);
    const qint64 left = Scale(dialogUnits.left(), m.charWidth, 4);
    const qint64 top = Scale(dialogUnits.top(), m.charHeight, 8);
    const qint64 right = Scale(qint64{dialogUnits.right()} + 1, m.charWidth, 4);
    const qint64 bottom = Scale(qint64{dialogUnits.bottom()} + 1, m.charHeight, 8);
    return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                 static_cast<int>(bottom - top));
}

QSize DialogUnitsToPixels(const QSize& dialogUnits, const QFont& font)
{
    return DialogUnitsToPixels(QRect(QPoint(0, 0), dialogUnits), font).size();
}

QFont DialogFont(const DialogTemplate& dialog)
{
    return QFont(dialog.fontFamily, dialog.fontPointSize);
}

namespace {

struct FontSubstitutes {
    const char* family;  // UTF-8
    std::array<const char*, 4> substitutes;  // the first one installed is used
};

// Average letter width × height in pixels at 96 dpi, against the originals' base units:
// WenQuanYi Micro Hei 10 pt 7 × 15 (宋体 about 7 × 14), Liberation Sans 8 pt 6 × 12 (MS Sans
// Serif 6 × 13), Liberation Serif 9 pt 7 × 14, as Times New Roman; DejaVu Sans, the usual
// default, is a letter wider. scripts/deps.sh installs both; the later names are the next
// best where they are missing (Chinese then comes from whichever font has it).
constexpr FontSubstitutes kFontSubstitutes[] = {
    {"宋体", {"WenQuanYi Micro Hei", "Liberation Sans", "Arimo", "Noto Sans CJK SC"}},
    {"MS Sans Serif", {"Liberation Sans", "Arimo", "Nimbus Sans", "DejaVu Sans"}},
    {"Times New Roman", {"Liberation Serif", "Tinos", "Nimbus Roman", "DejaVu Serif"}},
};

} // namespace

std::vector<std::size_t> ReadingOrder(const DialogTemplate& dialog)
{
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
        if (!dialog.controls[i].HasFlag(QStringLiteral("hidden")))
            shown.push_back(i);
    }
    const auto rectOf = [&dialog](std::size_t i) { return dialog.controls[i].rect; };
    std::stable_sort(shown.begin(), shown.end(),
                     [&rectOf](std::size_t a, std::size_t b) { return rectOf(a).top() < rectOf(b).top(); });
    for (auto line = shown.begin(); line != shown.end();) {
        const QRect first = rectOf(*line);
        auto end = std::find_if(line + 1, shown.end(), [&](std::size_t i) {
            const int middle = rectOf(i).center().y();
            return middle < first.top() || middle > first.bottom();
        });
        std::stable_sort(line, end,
                         [&rectOf](std::size_t a, std::size_t b) { return rectOf(a).left() < rectOf(b).left(); });
        line = end;
    }
    return shown;
}

void InstallDialogFontSubstitutes()
{
    for (const FontSubstitutes& font : kFontSubstitutes) {
        QStringList substitutes;
        for (const char* name : font.substitutes)
            substitutes.append(QString::fromUtf8(name));
        QFont::insertSubstitutions(QString::fromUtf8(font.family), substitutes);
    }
}

QWidget* DialogControls::Widget(int id) const
{
    const auto it = m_byId.find(id);
    return it == m_byId.end() ? nullptr : it->second;
}

void DialogControls::Add(int id, QWidget* widget)
{
    m_byId[id] = widget;
}

DialogControls BuildDialogControls(QWidget& parent, const DialogTemplate& dialog,
                                   const ControlFactory& factory)
{
    const QFont font = DialogFont(dialog);
    parent.setFont(font);
    DialogControls built;
    QButtonGroup* radioGroup = nullptr;
    QWidget* previous = nullptr;
    std::vector<QWidget*> widgets;  // by template index
    for (const ControlTemplate& control : dialog.controls) {
        QWidget* widget = factory ? factory(control, &parent) : nullptr;
        if (widget == nullptr)
            widget = MakeStandardControl(control, &parent);
        widget->setParent(&parent);
        widget->setGeometry(DialogUnitsToPixels(control.rect, font));
        if (auto* label = qobject_cast<QLabel*>(widget))
            FitLabelToText(*label);
        if (control.id >= 0) {
            widget->setObjectName(QStringLiteral("control%1").arg(control.id));
            built.Add(control.id, widget);
        }
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            if (radioGroup == nullptr || control.HasFlag(QStringLiteral("group")))
                radioGroup = new QButtonGroup(&parent);
            radioGroup->addButton(radio, control.id);
        }
        if (control.HasFlag(QStringLiteral("uppercase"))) {
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
                    const int cursor = edit->cursorPosition();
                    edit->setText(text.toUpper());
                    edit->setCursorPosition(cursor);
                });
            }
        }
        widget->setEnabled(!control.HasFlag(QStringLiteral("disabled")));
        widget->setVisible(!control.HasFlag(QStringLiteral("hidden")));
        if (previous != nullptr && widget->focusPolicy() != Qt::NoFocus)
            QWidget::setTabOrder(previous, widget);
        if (widget->focusPolicy() != Qt::NoFocus)
            previous = widget;
        widgets.push_back(widget);
    }
    NameEditsByLabels(dialog, widgets);
    return built;
}

} // namespace qmcal
