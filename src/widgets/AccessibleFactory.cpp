#include "widgets/AccessibleFactory.h"

#include <QAccessible>
#include <QLineEdit>

#include "widgets/CMSFlexGrid.h"
#include "widgets/CMSFlexGridAccessible.h"
#include "widgets/UpDownAccessible.h"
#include "widgets/UpDownControl.h"

namespace qmcal {

namespace {

// Qt keeps its factories in one process-wide list and takes a plain function, so this one holds
// no state: all it needs comes with the object.
QAccessibleInterface* CreateAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(CMSFlexGrid::staticMetaObject.className())) {
        if (auto* grid = qobject_cast<CMSFlexGrid*>(object))
            return new CMSFlexGridAccessible(*grid);
    }
    if (className == QLatin1String(UpDownControl::staticMetaObject.className())) {
        if (auto* upDown = qobject_cast<UpDownControl*>(object))
            return new UpDownAccessible(*upDown);
    }
    return nullptr;
}

} // namespace

void InstallAccessibleFactory()
{
    // Qt ignores a factory it holds already.
    QAccessible::installFactory(&CreateAccessible);
}

} // namespace qmcal
