#include "pages/PageFactory.h"

#include "pages/PowerPage.h"
#include "pages/RssiPage.h"
#include "pages/RxTestPage.h"
#include "pages/RxTuningPage.h"
#include "pages/SignalModPage.h"
#include "pages/SqlPage.h"
#include "pages/ToneModPage.h"
#include "pages/TxModPage.h"

namespace qmcal {

std::unique_ptr<CalPage> CreateCalPage(int slot, ParamImage& image, RadioLink& link, QWidget* parent)
{
    switch (slot) {
    case 0:
        return std::make_unique<PowerPage>(image, link, parent);
    case 1:
        return std::make_unique<RxTuningPage>(image, link, parent);
    case 2:
        return std::make_unique<TxModPage>(image, link, parent);
    case 3:
        return std::make_unique<SignalModPage>(image, link, parent);
    case 4:
        return std::make_unique<ToneModPage>(image, link, parent);
    case 5:
        return std::make_unique<RxTestPage>(image, link, parent);
    case 6:
        return std::make_unique<SqlPage>(image, link, parent);
    case 7:
        return std::make_unique<RssiPage>(image, link, parent);
    default:
        return nullptr;
    }
}

} // namespace qmcal
