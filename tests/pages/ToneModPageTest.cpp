#include <cstdio>

#include <QClipboard>
#include <QLabel>

#include "PageFixture.h"
#include "pages/SignalModPage.h"
#include "pages/ToneModPage.h"

namespace qmcal::test {
namespace {

constexpr int kLevelEditor = 1069;
constexpr int kDtmfCode = 1100;
constexpr int kDtmfSpin = 1049;
constexpr int kIdPttDtmf = 1014;
constexpr int kIdPtt1750 = 1027;
constexpr int kTab150M = 3;

// Bytes 0xF918 .. 0xFB47: the 35 records both pages share, 16 bytes each.
constexpr std::uint16_t kSharedStart = 0xF918;
constexpr std::uint16_t kSharedEnd = 0xFB48;

class ToneModPageTest : public PageFixture {
protected:
    // Every shared byte is its address's low byte; 150M points at 140 MHz and up, 1 MHz apart;
    // DTMF code 7.
    void FillImage()
    {
        for (int a = kSharedStart; a < kSharedEnd; ++a)
            putU8(image.ParamArea(), static_cast<std::size_t>(a), static_cast<std::uint8_t>(a & 0xFF));
        for (int row = 1; row <= 6; ++row)
            SetFrequency(kToneModLayout, 4, row, 14000000 + 100000 * static_cast<std::uint32_t>(row - 1));
        putU8(image.IdBlock(), 0xFD0, 7);
    }

    ToneModPage& OpenToneMod()
    {
        FillImage();
        return Open<ToneModPage>();
    }

    CellEdit* CodeField() const { return qobject_cast<CellEdit*>(page->Control(kDtmfCode)); }
};

TEST_F(ToneModPageTest, ShowsTheLevelsOfBytesFourteenAndFifteenAndTheCode)
{
    OpenToneMod();
    EXPECT_EQ(page->BandTabs()->tabText(kTab150M), QStringLiteral("150M"));
    EXPECT_EQ(Grid().CellText(0, 0) + QLatin1Char('|') + Grid().CellText(0, 1) + QLatin1Char('|') + Grid().CellText(0, 2),
              QStringLiteral("Freq|DTMF (0-FF)|1750 (0-FF)"));
    // 30M point 2: record 0xF928, levels at 0xF936 and 0xF937.
    EXPECT_EQ(Grid().CellText(2, 1), QStringLiteral("36"));
    EXPECT_EQ(Grid().CellText(2, 2), QStringLiteral("37"));
    ASSERT_NE(CodeField(), nullptr);
    EXPECT_TRUE(CodeField()->isVisible());
    EXPECT_EQ(CodeField()->text(), QStringLiteral("7"));
    EXPECT_EQ(page->UpDown(kDtmfSpin)->Buddy(), CodeField());
    // Its label shows all of its text, also in a font wider than the template's, and stays
    // clear of the field.
    QLabel* label = nullptr;
    for (QLabel* candidate : page->findChildren<QLabel*>()) {
        if (candidate->text() == QStringLiteral("DTMF Code"))
            label = candidate;
    }
    ASSERT_NE(label, nullptr);
    EXPECT_GE(label->width(), label->sizeHint().width());
    EXPECT_LT(label->geometry().right(), CodeField()->x());
}

struct LevelCase {
    int col;
    const char* typed;
    const char* cell;
    const char* editor;
    const char* frame;
    std::uint16_t address;
    std::uint8_t stored;
};

TEST_F(ToneModPageTest, EnterSendsTheLevel)
{
    OpenToneMod();
    ClickTab(kTab150M);
    // 150M point 2: record 0xF9B8, DTMF level at 0xF9C6, 1750 level at 0xF9C7.
    const LevelCase cases[] = {
        {1, "7f", "7F", "7F", "57 20 17 01 7F", 0xF9C6, 0x7F},
        {2, "0A", "0A", "0A", "57 20 18 01 0A", 0xF9C7, 0x0A},
        {2, "g", "0", "", "57 20 18 01 00", 0xF9C7, 0x00},  // G never arrives
        {1, "123", "12", "12", "57 20 17 01 12", 0xF9C6, 0x12},  // two characters at most
    };
    for (const LevelCase& c : cases) {
        radio.ClearLog();
        Enter(2, c.col, QString::fromLatin1(c.typed));
        EXPECT_EQ(Grid().CellText(2, c.col), QString::fromLatin1(c.cell)) << c.typed;
        EXPECT_EQ(page->ValueEditor(kLevelEditor)->text(), QString::fromLatin1(c.editor)) << c.typed;
        EXPECT_EQ(Frames(), (std::vector<std::string>{c.frame})) << c.typed;
        EXPECT_EQ(getU8(image.ParamArea(), c.address), c.stored) << c.typed;
    }
    // Pasted text that does not parse: 0 in the cell, the editor keeps it.
    radio.ClearLog();
    QApplication::clipboard()->setText(QStringLiteral("zz"));
    Press(Qt::Key_V, Qt::ControlModifier);
    Press(Qt::Key_Return);
    EXPECT_EQ(page->ValueEditor(kLevelEditor)->text(), QStringLiteral("ZZ"));
    EXPECT_EQ(Grid().CellText(2, 1), QStringLiteral("0"));
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 20 17 01 00"}));

    // The up-down wraps through 0..FF and sends on release.
    radio.ClearLog();
    Enter(3, 2, QStringLiteral("FF"));
    ClickSpin(1070, true);
    ClickSpin(1070, false);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 20 18 01 FF", "57 20 18 01 00", "57 20 18 01 FF"}));
}

struct CodeCase {
    const char* typed;
    const char* field;
    const char* frame;
    std::uint8_t stored;
};

TEST_F(ToneModPageTest, EnterInTheCodeFieldStoresAndSendsTheCode)
{
    OpenToneMod();
    const CodeCase cases[] = {
        {"b", "B", "57 20 03 01 0B", 0x0B},
        {"0", "0", "57 20 03 01 00", 0x00},
        {"z", "Z", "57 20 03 01 00", 0x00},   // not a number: the code stays as it was
        {"f", "F", "57 20 03 01 0F", 0x0F},
    };
    for (const CodeCase& c : cases) {
        radio.ClearLog();
        QTest::mouseClick(CodeField(), Qt::LeftButton);
        CodeField()->selectAll();
        Type(QString::fromLatin1(c.typed));
        Press(Qt::Key_Return);
        EXPECT_EQ(CodeField()->text(), QString::fromLatin1(c.field)) << c.typed;
        EXPECT_EQ(Frames(), (std::vector<std::string>{c.frame})) << c.typed;
        EXPECT_EQ(getU8(image.IdBlock(), 0xFD0), c.stored) << c.typed;
    }
    // Its up-down wraps F to 0 and back, sending the code while the focus is in the field.
    radio.ClearLog();
    ClickSpin(kDtmfSpin, true);
    ClickSpin(kDtmfSpin, false);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 20 03 01 00", "57 20 03 01 0F"}));
    // With the focus on the grid the grid's Enter runs instead.
    ClickCell(1, 1);
    Press(Qt::Key_Escape);
    radio.ClearLog();
    ClickSpin(kDtmfSpin, true);
    EXPECT_EQ(CodeField()->text(), QStringLiteral("0"));
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 20 17 01 26"}));
    EXPECT_EQ(getU8(image.IdBlock(), 0xFD0), 0x00);
}

TEST_F(ToneModPageTest, PttDtmfAndPtt1750SendTheirLevel)
{
    OpenToneMod();
    ClickTab(kTab150M);
    ClickCell(2, 2);
    Press(Qt::Key_Escape);
    ClickButton(kIdPttDtmf);
    // Frequency word at 0x528 (141 MHz), level at 0xF9C6, code at 0xFD0.
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 20 00 04 00 00 10 14", "57 20 17 01 C6",
                                                  "57 20 03 01 07", "57 20 FE 01 00"}));
    EXPECT_EQ(reporter.ptt, QStringLiteral("Tx Mod"));
    radio.ClearLog();
    ClickButton(kIdPtt1750);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 20 00 04 00 00 10 14", "57 20 18 01 C7", "57 20 FE 01 00"}));
    radio.ClearLog();
    ClickButton(kIdPttEnd);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 20 FE 01 FF"}));
    EXPECT_EQ(reporter.ptt, QString());

    radio.FaultSettings().silentAfter = 0;
    for (int button : {kIdPttDtmf, kIdPtt1750}) {
        radio.ClearLog();
        ClickButton(button);
        EXPECT_EQ(Frames(), (std::vector<std::string>{"57 20 00 04 00 00 10 14"})) << button;
    }
}

TEST_F(ToneModPageTest, StoreSendsTheTwoLevelBytesOfEachRecord)
{
    OpenToneMod();
    ClickTab(6);  // 450M
    ClickButton(kIdStoreCurrent);
    std::vector<std::string> expected;
    for (int k = 0; k < 9; ++k) {
        const int a = 0xFAC6 + 16 * k;
        char frame[64];
        std::snprintf(frame, sizeof frame, "57 FF 00 04 %02X %02X %02X %02X", a & 0xFF, a >> 8, a & 0xFF, (a + 1) & 0xFF);
        expected.emplace_back(frame);
    }
    EXPECT_EQ(Frames(), expected);

    radio.ClearLog();
    ClickButton(kIdStoreAll);
    EXPECT_EQ(Frames().size(), 35u);
    for (int a = kSharedStart; a < kSharedEnd; ++a) {
        const bool own = (a - kSharedStart) % 16 >= 14;
        ASSERT_EQ(radio.Memory()[static_cast<std::size_t>(a)], own ? (a & 0xFF) : 0) << a;
    }
}

// Both pages keep their grids on the same records: whatever one saves, the other's bytes stay.
TEST_F(ToneModPageTest, SavingOnePageNeverTouchesTheOtherPagesBytes)
{
    FillImage();
    const auto before = image.ParamArea();
    Open<ToneModPage>();
    auto* signal = new SignalModPage(image, link, &window);
    CMSFlexGrid& signalGrid = *signal->Grid();

    struct Pass {
        CalPage* page;
        int firstOwn;  // record bytes [firstOwn, lastOwn] belong to the page
        int lastOwn;
    };
    const Pass passes[] = {{page, 14, 15}, {signal, 0, 12}};
    for (const Pass& pass : passes) {
        CMSFlexGrid& grid = pass.page == page ? Grid() : signalGrid;
        // Unchanged cells write back what they showed.
        for (int tab = 0; tab < pass.page->BandTabs()->count(); ++tab) {
            pass.page->BandTabs()->setCurrentIndex(tab);
            pass.page->SaveGrid();
            ASSERT_TRUE(image.ParamArea() == before) << tab;
        }
        for (int tab = 0; tab < pass.page->BandTabs()->count(); ++tab) {
            pass.page->BandTabs()->setCurrentIndex(tab);
            for (int r = 1; r < grid.GridRowCount(); ++r) {
                for (int c = 1; c < grid.GridColCount(); ++c)
                    grid.SetCellText(r, c, QStringLiteral("FFFF"));
            }
            pass.page->SaveGrid();
        }
        for (int a = kSharedStart; a < kSharedEnd; ++a) {
            const int b = (a - kSharedStart) % 16;
            const bool own = b >= pass.firstOwn && b <= pass.lastOwn;
            ASSERT_EQ(image.ParamArea()[static_cast<std::size_t>(a)], own ? 0xFF : before[static_cast<std::size_t>(a)])
                << a;
        }
        image.ParamArea() = before;
        pass.page->ImageReplaced();
    }
}

} // namespace
} // namespace qmcal::test
