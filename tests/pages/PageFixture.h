#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "data/FreqWord.h"
#include "data/Layouts.h"
#include "data/LittleEndian.h"
#include "data/ParamImage.h"
#include "link/LinkThread.h"
#include "link/QueuedReporter.h"
#include "link/RadioLink.h"
#include "link/RecordingReporter.h"
#include "pages/CalPage.h"
#include "sim/HexBytes.h"
#include "sim/SimRadio.h"
#include "support/LoopbackPort.h"
#include "widgets/CMSFlexGrid.h"
#include "widgets/CellEdit.h"
#include "widgets/UpDownControl.h"

namespace qmcal::test {

// A page in a shown, active window, linked to the simulator engine through a loopback port on
// the link's own thread, as in the program, driven with real mouse and key events.
class PageFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto loopback = std::make_unique<LoopbackPort>(radio);
        port = loopback.get();
        link.SetPort(std::move(loopback));
    }

    template <typename Page>
    Page& Open()
    {
        auto* created = new Page(image, link, &window);
        created->SetLinkThread(&linkThread);
        page = created;
        window.resize(created->size());
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        radio.ClearLog();
        return *created;
    }

    // Every frame the radio received since the page opened, as hex.
    std::vector<std::string> Frames() const
    {
        std::vector<std::string> frames;
        for (const auto& frame : radio.FrameLog())
            frames.push_back(sim::test::ToHex(frame));
        return frames;
    }

    CMSFlexGrid& Grid() const { return *page->Grid(); }
    QWidget* Focus() const { return QApplication::focusWidget(); }

    void ClickCell(int row, int col, Qt::MouseButton button = Qt::LeftButton)
    {
        Grid().EnsureVisible(row, col);
        QTest::mouseClick(Grid().viewport(), button, {}, Grid().CellRect(row, col).center());
    }

    void Type(const QString& text)
    {
        ASSERT_NE(Focus(), nullptr);
        QTest::keyClicks(Focus(), text);
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ASSERT_NE(Focus(), nullptr);
        QTest::keyClick(Focus(), key, modifiers);
    }

    // Opens the cell's editor, replaces its text and presses Enter. An editor still open from
    // before is left with Escape first, so that the click lands on the grid.
    void Enter(int row, int col, const QString& text)
    {
        if (qobject_cast<QLineEdit*>(Focus()) != nullptr)
            Press(Qt::Key_Escape);
        ClickCell(row, col);
        Press(Qt::Key_Backspace);
        Type(text);
        Press(Qt::Key_Return);
    }

    void ClickTab(int index)
    {
        QTabBar* bar = page->BandTabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    void ClickButton(int id) { QTest::mouseClick(page->Button(id), Qt::LeftButton); }

    // One click on an up-down arrow, then the queued spin-release Enter.
    void ClickSpin(int id, bool up)
    {
        UpDownControl* spin = page->UpDown(id);
        const QPoint at(spin->width() / 2, up ? 1 : spin->height() - 2);
        QTest::mouseClick(spin, Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }

    // A frequency point in 10 Hz units at row (1-based) of a slot.
    void SetFrequency(const BandLayout& layout, int slot, int row, std::uint32_t units)
    {
        putU32le(image.IdBlock(), layout.FreqOffset(slot, row), FreqWordFromUnits(units));
    }

    std::array<std::uint8_t, 65536> blank{};
    sim::SimRadio radio{blank};
    ParamImage image;
    CommandNameMap names = MakeCommandNameMap();
    RecordingReporter reporter;
    QueuedReporter linkReporter{reporter};
    RadioLink link{image, names, linkReporter};
    LinkThread linkThread{link, &linkReporter};
    LoopbackPort* port = nullptr;  // the link's
    QWidget window;
    CalPage* page = nullptr;
};

} // namespace qmcal::test
