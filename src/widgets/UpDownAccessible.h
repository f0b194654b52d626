#pragma once

#include <QAccessibleWidget>

namespace qmcal {

class UpDownControl;

// The up-down as a screen reader sees it: a spin box whose value is its buddy's number (in the
// control's base) within the control's range, and whose two actions click its arrows.
class UpDownAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit UpDownAccessible(UpDownControl& upDown);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;

    QVariant currentValue() const override;
    // Values are typed into the buddy; the control itself only steps.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return 1; }

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    UpDownControl* UpDown() const;
};

} // namespace qmcal
