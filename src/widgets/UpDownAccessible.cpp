#include "widgets/UpDownAccessible.h"

#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMouseEvent>

#include "widgets/UpDownControl.h"

namespace qmcal {

UpDownAccessible::UpDownAccessible(UpDownControl& upDown) : QAccessibleWidget(&upDown, QAccessible::SpinBox)
{
    // A step rewrites the buddy; the reader hears the new value.
    QObject::connect(&upDown, &UpDownControl::PositionChanged, &upDown, [control = &upDown] {
        QAccessibleValueChangeEvent event(control, QAccessible::queryAccessibleInterface(control)
                                                       ->valueInterface()->currentValue());
        QAccessible::updateAccessibility(&event);
    });
}

UpDownControl* UpDownAccessible::UpDown() const
{
    return static_cast<UpDownControl*>(widget());
}

void* UpDownAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString UpDownAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value) {
        const QLineEdit* buddy = UpDown()->Buddy();
        return buddy ? buddy->text() : QString();
    }
    return QAccessibleWidget::text(t);
}

QVariant UpDownAccessible::currentValue() const
{
    const QLineEdit* buddy = UpDown()->Buddy();
    if (buddy == nullptr)
        return {};
    bool ok = false;
    const int value = buddy->text().toInt(&ok, UpDown()->Base());
    return ok ? QVariant(value) : QVariant();
}

QVariant UpDownAccessible::maximumValue() const
{
    return UpDown()->High();
}

QVariant UpDownAccessible::minimumValue() const
{
    return UpDown()->Low();
}

QStringList UpDownAccessible::actionNames() const
{
    return {increaseAction(), decreaseAction()};
}

void UpDownAccessible::doAction(const QString& actionName)
{
    if (actionName != increaseAction() && actionName != decreaseAction())
        return;
    // A click of the arrow, so that the step goes exactly where a mouse click's goes.
    UpDownControl* upDown = UpDown();
    const int y = actionName == increaseAction() ? upDown->height() / 4 : upDown->height() * 3 / 4;
    const QPointF at(upDown->width() / 2.0, y);
    const QPointF global = upDown->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(upDown, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(upDown, &release);
}

QStringList UpDownAccessible::keyBindingsForAction(const QString& actionName) const
{
    // The arrow keys step while the buddy has the focus.
    if (actionName == increaseAction())
        return {QKeySequence(Qt::Key_Up).toString(QKeySequence::NativeText)};
    if (actionName == decreaseAction())
        return {QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText)};
    return {};
}

} // namespace qmcal
