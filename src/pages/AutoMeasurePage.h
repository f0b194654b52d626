#pragma once

#include <chrono>
#include <cstdint>

#include <QTimer>

#include "pages/CalPage.h"

namespace qmcal {

// What tells one page's Auto measurement from another's.
struct AutoMeasureTraits {
    std::uint8_t measureSub = 0;
    // The reading an Ack alone stands for: in an odd value column, in an even one.
    std::uint16_t fallbackOdd = 0;
    std::uint16_t fallbackEven = 0;
    // SetMode value per grid column, sent between SetFlag and TestStart; empty: no SetMode.
    Table<std::uint8_t> modeOfColumn{};
};

// A page without live sends whose Auto button puts the radio into its measuring test on the
// current point and then writes the radio's reading into the chosen cell once a second (the
// RSSI and SQL pages). Enter and Escape only take the focus from an editor to the grid.
class AutoMeasurePage : public CalPage {
    Q_OBJECT

public:
    static constexpr int kIdAuto = 1080;
    static constexpr std::chrono::milliseconds kTickInterval{1000};

    // The Auto button: starts a measurement, or stops the running one.
    void AutoClicked();
    void AutoStart();
    void AutoStop();
    // One reading into the measured cell.
    void MeasureTick();

    bool Measuring() const { return m_measuring; }
    int MeasureRow() const { return m_measureRow; }
    int MeasureCol() const { return m_measureCol; }
    const QTimer& MeasureTimer() const { return m_timer; }

    void DestroyWindow() override;

protected:
    AutoMeasurePage(const PageTraits& traits, const AutoMeasureTraits& measure, ParamImage& image,
                    RadioLink& link, QWidget* parent);

    void SetupControls() override;
    void EnterPressed(QWidget* focus) override;

private:
    const AutoMeasureTraits& m_measure;
    QTimer m_timer;
    bool m_measuring = false;
    int m_measureRow = 1;
    int m_measureCol = 1;
};

} // namespace qmcal
