#include "app/PageSlots.h"

#include <QWidget>

#include "app/AppContext.h"

namespace qmcal {

// The calibration pages and the Sql Fine dialog plug in here; until they exist the slots stay
// empty and the command shows nothing.
PageSlot CreatePageSlot(int slot, AppContext& context, QWidget* tabControl)
{
    static_cast<void>(slot);
    static_cast<void>(context);
    static_cast<void>(tabControl);
    return {};
}

void ShowSqlFineDialog(AppContext& context, QWidget* parent)
{
    static_cast<void>(context);
    static_cast<void>(parent);
}

} // namespace qmcal
