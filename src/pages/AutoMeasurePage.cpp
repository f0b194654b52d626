#include "pages/AutoMeasurePage.h"

#include <QCoreApplication>

#include <QProxyStyle>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "link/RadioLink.h"
#include "pages/CalPageRoutines.h"
#include "widgets/CMSFlexGrid.h"

namespace qmcal {

namespace {

constexpr std::uint8_t kFlagLeftHalf = 0;
constexpr std::uint8_t kFlagRightHalf = 1;

// The application's style with less room beside a tab's text.
class NarrowTabs final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        constexpr int kTabTextMargins = 12;
        if (metric == PM_TabBarTabHSpace)
            return kTabTextMargins;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

AutoMeasurePage::AutoMeasurePage(const PageTraits& traits, const AutoMeasureTraits& measure, ParamImage& image,
                                 RadioLink& link, QWidget* parent)
    : CalPage(traits, image, link, parent), m_measure(measure)
{
    m_timer.setInterval(kTickInterval);
    connect(&m_timer, &QTimer::timeout, this, &AutoMeasurePage::MeasureTick);
    connect(Button(kIdAuto), &QPushButton::clicked, this, &AutoMeasurePage::AutoClicked);
}

void AutoMeasurePage::AutoClicked()
{
    if (m_measuring)
        AutoStop();
    else
        AutoStart();
}

// A cell in the "Freq" column measures the row's first value.
void AutoMeasurePage::AutoStart()
{
    // The RSSI and SQL pages share the command code, so the link would let this page take over
    // the test that the other page's measurement is running: refuse as a PTT of another code is.
    if (!m_measuring && Link().ActiveCommand() == Code()) {
        Link().RefuseBusy();
        return;
    }
    const int row = Grid()->CurrentRow();
    const int col = Grid()->CurrentCol();
    SaveGrid();
    m_measureRow = row > 1 ? row : 1;
    m_measureCol = col > 1 ? col : 1;

    Link().SetFrequency(Code(), FreqOffset(m_measureRow));
    if (!LastOk())
        return;
    const bool rightHalf = Slot() == kSlot150MR || Slot() == kSlot450MR;
    Link().SetFlag(Code(), rightHalf ? kFlagRightHalf : kFlagLeftHalf);
    if (m_measure.modeOfColumn.size() > static_cast<std::size_t>(m_measureCol))
        Link().SetMode(Code(), m_measure.modeOfColumn[static_cast<std::size_t>(m_measureCol)]);
    Link().TestStart(Code());
    if (!LastOk())
        return;
    Button(kIdAuto)->setText(QCoreApplication::translate("AutoMeasurePage", "End"));
    m_timer.start();
    m_measuring = true;
}

// The page goes idle whatever the radio answers.
void AutoMeasurePage::AutoStop()
{
    m_timer.stop();
    Button(kIdAuto)->setText(QCoreApplication::translate("AutoMeasurePage", "Auto"));
    Link().TestEnd(Code());
    m_measuring = false;
}

void AutoMeasurePage::MeasureTick()
{
    // After a band change the grid shows another slot, which may have fewer points: the
    // readings wait until a slot with the measured row is shown again.
    if (m_measureRow >= Grid()->GridRowCount() || m_measureCol >= Grid()->GridColCount())
        return;
    const std::uint16_t fallback = m_measureCol % 2 == 1 ? m_measure.fallbackOdd : m_measure.fallbackEven;
    // No reading (no port, no or a short answer) leaves the cell as it was.
    if (const auto reading = Link().Measure(Code(), m_measure.measureSub, fallback))
        Grid()->SetCellText(m_measureRow, m_measureCol, FormatHex(*reading));
}

// Eleven band tabs share the width of the grid: narrower margins keep all of them in sight.
void AutoMeasurePage::SetupControls()
{
    QTabBar* bar = BandTabs()->tabBar();
    auto* style = new NarrowTabs;
    style->setParent(bar);
    bar->setStyle(style);
}

void AutoMeasurePage::EnterPressed(QWidget* focus)
{
    if (IsCellEditor(focus))
        Grid()->setFocus(Qt::OtherFocusReason);
}

void AutoMeasurePage::DestroyWindow()
{
    m_timer.stop();
    CalPage::DestroyWindow();
}

} // namespace qmcal
