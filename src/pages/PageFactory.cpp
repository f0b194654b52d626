#include "pages/PageFactory.h"

#include <array>

#include "pages/PowerPage.h"
#include "pages/RssiPage.h"
#include "pages/RxTestPage.h"
#include "pages/RxTuningPage.h"
#include "pages/SignalModPage.h"
#include "pages/SqlPage.h"
#include "pages/ToneModPage.h"
#include "pages/TxModPage.h"

namespace qmcal {

namespace {

template <typename Page>
std::unique_ptr<CalPage> Create(ParamImage& image, RadioLink& link, QWidget* parent)
{
    return std::make_unique<Page>(image, link, parent);
}

// By slot.
constexpr std::array kPages{&Create<PowerPage>,   &Create<RxTuningPage>, &Create<TxModPage>, &Create<SignalModPage>,
                            &Create<ToneModPage>, &Create<RxTestPage>,   &Create<SqlPage>,   &Create<RssiPage>};

} // namespace

std::unique_ptr<CalPage> CreateCalPage(int slot, ParamImage& image, RadioLink& link, QWidget* parent)
{
    if (slot < 0 || static_cast<std::size_t>(slot) >= kPages.size())
        return nullptr;
    return kPages[static_cast<std::size_t>(slot)](image, link, parent);
}

} // namespace qmcal
