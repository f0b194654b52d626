#include "pages/PageFactory.h"

#include "pages/PowerPage.h"
#include "pages/RxTuningPage.h"

namespace qmcal {

std::unique_ptr<CalPage> CreateCalPage(int slot, ParamImage& image, RadioLink& link, QWidget* parent)
{
    switch (slot) {
    case 0:
        return std::make_unique<PowerPage>(image, link, parent);
    case 1:
        return std::make_unique<RxTuningPage>(image, link, parent);
    default:
        return nullptr;
    }
}

} // namespace qmcal
