#include "app/PageSlots.h"

#include <QWidget>

#include "app/AppContext.h"
#include "pages/CalPage.h"
#include "pages/PageFactory.h"
#include "pages/SqlFineDialog.h"

namespace qmcal {

// A page reloads its grid when the image is replaced, and saves it when the window closes.
PageSlot CreatePageSlot(int slot, AppContext& context, QWidget* tabControl)
{
    std::unique_ptr<CalPage> page = CreateCalPage(slot, context.image, context.link, tabControl);
    if (!page)
        return {};
    page->SetLinkThread(context.linkThread);
    CalPage* calPage = page.get();
    PageSlot made;
    made.loadGrid = [calPage] { calPage->ImageReplaced(); };
    made.saveGrid = [calPage] { calPage->DestroyWindow(); };
    made.page = std::move(page);
    return made;
}

void ShowSqlFineDialog(AppContext& context, QWidget* parent)
{
    SqlFineDialog dialog(context.image, context.link, parent);
    dialog.SetLinkThread(context.linkThread);
    dialog.exec();
}

} // namespace qmcal
