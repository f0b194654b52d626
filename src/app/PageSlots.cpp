#include "app/PageSlots.h"

#include <QWidget>

#include "app/AppContext.h"
#include "pages/CalPage.h"
#include "pages/PageFactory.h"

namespace qmcal {

// A page reloads its grid when the image is replaced, and saves it when the window closes.
PageSlot CreatePageSlot(int slot, AppContext& context, QWidget* tabControl)
{
    std::unique_ptr<CalPage> page = CreateCalPage(slot, context.image, context.link, tabControl);
    if (!page)
        return {};
    CalPage* calPage = page.get();
    PageSlot made;
    made.loadGrid = [calPage] { calPage->ImageReplaced(); };
    made.saveGrid = [calPage] { calPage->DestroyWindow(); };
    made.page = std::move(page);
    return made;
}

// The Sql Fine dialog plugs in here; until it exists the command shows nothing.
void ShowSqlFineDialog(AppContext& context, QWidget* parent)
{
    static_cast<void>(context);
    static_cast<void>(parent);
}

} // namespace qmcal
