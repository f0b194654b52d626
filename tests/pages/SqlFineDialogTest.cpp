// The Sql Fine dialog: signed offsets, a store per cell, Read.

#include <functional>

#include <QTimer>

#include "PageFixture.h"
#include "pages/SqlFineDialog.h"

namespace qmcal::test {
namespace {

using namespace std::chrono_literals;

class SqlFineDialogTest : public PageFixture {
protected:
    SqlFineDialog& OpenDialog()
    {
        dialog = new SqlFineDialog(image, link, &window);
        dialog->SetLinkThread(&linkThread);
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        radio.ClearLog();
        return *dialog;
    }

    CMSFlexGrid& FineGrid() const { return *dialog->Grid(); }
    CellEdit& Editor() const { return *dialog->ValueEditor(); }

    void ClickFineCell(int row, int col)
    {
        QTest::mouseClick(FineGrid().viewport(), Qt::LeftButton, {}, FineGrid().CellRect(row, col).center());
    }

    void ClickSpin(bool up)
    {
        UpDownControl* spin = dialog->UpDown(SqlFineDialog::kIdValueSpin);
        QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, up ? 1 : spin->height() - 2));
        QApplication::processEvents();
    }

    std::uint8_t Byte(std::uint16_t address) const { return getU8(image.ParamArea(), address); }

    SqlFineDialog* dialog = nullptr;
};

TEST_F(SqlFineDialogTest, ShowsElevenBandsOfSignedOffsets)
{
    putU8(image.ParamArea(), 0xF7F4, 0x07);  // "150M R", "N SQL"
    putU8(image.ParamArea(), 0xF7E0, 0x80);  // -128
    putU8(image.ParamArea(), 0xF7E1, 0xC0);  // -64
    putU8(image.ParamArea(), 0xF7E2, 0x3F);  // 63
    putU8(image.ParamArea(), 0xF7E3, 0x40);  // 64
    putU8(image.ParamArea(), 0xF7EA, 0xFB);  // "450M R", "W SQL": -5
    OpenDialog();
    EXPECT_EQ(dialog->windowTitle(), QString());
    EXPECT_EQ(FineGrid().GridRowCount(), 12);
    EXPECT_EQ(FineGrid().GridColCount(), 3);
    EXPECT_EQ(FineGrid().FixedCols(), 1);
    EXPECT_EQ(FineGrid().RowHeight(0), 500);
    QStringList captions;
    QStringList labels;
    for (int c = 0; c < 3; ++c)
        captions << FineGrid().CellText(0, c);
    for (int r = 1; r <= 11; ++r)
        labels << FineGrid().CellText(r, 0);
    EXPECT_EQ(captions.join(QLatin1Char('|')), QStringLiteral("|W SQL|N SQL"));
    EXPECT_EQ(labels.join(QLatin1Char(',')),
              QStringLiteral("30M,50M,66M,AM,150M,250M,350M,450M,850M,150M R,450M R"));

    QStringList w;
    QStringList n;
    for (int r = 1; r <= 11; ++r) {
        w << FineGrid().CellText(r, 1);
        n << FineGrid().CellText(r, 2);
    }
    EXPECT_EQ(w.join(QLatin1Char(',')), QStringLiteral("0*,-64,63,0*,0,0,0,0,0,0,-5"));
    EXPECT_EQ(n.join(QLatin1Char(',')), QStringLiteral("0,0,0,0,0,0,0,0,0,7,0"));

    // Closing saves the grid: the marked bytes become 0, the others stay.
    dialog->close();
    EXPECT_EQ(Byte(0xF7E0), 0x00);
    EXPECT_EQ(Byte(0xF7E1), 0xC0);
    EXPECT_EQ(Byte(0xF7E3), 0x00);
    EXPECT_EQ(Byte(0xF7F4), 0x07);
    EXPECT_TRUE(Frames().empty());
}

struct CommitCase {
    const char* typed;
    const char* cell;
};

TEST_F(SqlFineDialogTest, ValueCommitKeepsOffsetsAndTurnsTheRestIntoMinus64)
{
    OpenDialog();
    const CommitCase cases[] = {
        {"5", "5"}, {"63", "63"}, {"007", "007"}, {"70", "-64"}, {"64", "-64"},
        {"AB", "-64"}, {"", "-64"}, {"-3", "3"}, {"G1", "1"},  // neither - nor G arrives
        {"0123", "012"},                                         // three characters at most
    };
    for (const CommitCase& c : cases) {
        ClickFineCell(3, 2);
        Press(Qt::Key_Backspace);
        Type(QString::fromLatin1(c.typed));
        Press(Qt::Key_Escape);  // commits through the focus loss, stores nothing
        EXPECT_FALSE(Editor().isVisible()) << c.typed;
        EXPECT_EQ(FineGrid().CellText(3, 2), QString::fromLatin1(c.cell)) << c.typed;
    }
    EXPECT_TRUE(dialog->isVisible());  // Escape never closes the dialog
    EXPECT_TRUE(Frames().empty());
}

TEST_F(SqlFineDialogTest, EnterStoresTheCurrentCellsByteAtOnce)
{
    putU8(image.ParamArea(), 0xF7E0, 0xFB);  // -5
    OpenDialog();
    ClickFineCell(1, 1);
    Press(Qt::Key_Return);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 FF 00 03 E0 F7 FB"}));
    EXPECT_EQ(radio.Memory()[0xF7E0], 0xFB);
    EXPECT_EQ(reporter.prompt, QStringLiteral("Complete"));
    // The editor stays open with its text selected.
    EXPECT_EQ(Focus(), &Editor());
    EXPECT_EQ(Editor().selectedText(), QStringLiteral("-5"));

    radio.ClearLog();
    Press(Qt::Key_Escape);
    ClickFineCell(10, 2);
    Press(Qt::Key_Backspace);
    Type(QStringLiteral("12"));
    Press(Qt::Key_Return);
    EXPECT_EQ(Byte(0xF7F4), 12);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 FF 00 03 F4 F7 0C"}));

    // Enter on the grid stores too; F2 there opens the editor again.
    radio.ClearLog();
    Press(Qt::Key_Escape);
    ASSERT_EQ(Focus(), dialog->Grid());
    Press(Qt::Key_Return);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 FF 00 03 F4 F7 0C"}));
    Press(Qt::Key_F2);
    EXPECT_EQ(Focus(), &Editor());
    EXPECT_EQ(Editor().text(), QStringLiteral("12"));

    // On the Read button Enter saves the grid and stores nothing.
    Type(QStringLiteral("9"));
    radio.ClearLog();
    dialog->Button(SqlFineDialog::kIdRead)->setFocus();
    Press(Qt::Key_Return);
    EXPECT_EQ(Byte(0xF7F4), 9);
    EXPECT_TRUE(Frames().empty());
}

TEST_F(SqlFineDialogTest, EachUpDownStepWrapsAndIsStored)
{
    putU8(image.ParamArea(), 0xF7E5, 63);
    OpenDialog();
    ClickFineCell(6, 1);
    ClickSpin(true);
    EXPECT_EQ(Editor().text(), QStringLiteral("-64"));
    ClickSpin(false);
    EXPECT_EQ(Editor().text(), QStringLiteral("63"));
    ClickSpin(false);
    EXPECT_EQ(Editor().text(), QStringLiteral("62"));
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 FF 00 03 E5 F7 C0", "57 FF 00 03 E5 F7 3F",
                                                  "57 FF 00 03 E5 F7 3E"}));
    EXPECT_EQ(Byte(0xF7E5), 62);
}

// The radio holds the store of the step's Enter back past the up-down's first repeat; the
// button is let go meanwhile. One step, one store, whatever the radio then answers.
TEST_F(SqlFineDialogTest, AClickOnTheUpDownStepsAndStoresOnceWhileTheStoreWaits)
{
    const struct {
        const char* name;
        bool silent;
        const char* prompt;
    } cases[] = {
        {"a radio that answers late", false, "Complete"},
        {"a radio that went silent", true, "Communication error"},
    };
    OpenDialog();
    UpDownControl* spin = dialog->UpDown(SqlFineDialog::kIdValueSpin);
    const QPoint up(spin->width() / 2, 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClickFineCell(6, 1);
        Editor().setText(QStringLiteral("5"));
        radio.FaultSettings().silentAfter = c.silent ? 0 : -1;
        radio.ClearLog();
        port->HoldAt(1);
        QString whenLetGo;
        QTimer::singleShot(UpDownControl::kRepeatDelay + 200ms, dialog, [&] {
            whenLetGo = Editor().text();
            QTest::mouseRelease(spin, Qt::LeftButton, {}, up);
            port->Release();
        });
        QTest::mousePress(spin, Qt::LeftButton, {}, up);
        QTest::qWait(static_cast<int>((UpDownControl::kRepeatDelay * 3).count()));

        EXPECT_EQ(whenLetGo, QStringLiteral("6")) << "the up-down repeated while the store waited";
        EXPECT_EQ(Editor().text(), QStringLiteral("6"));
        EXPECT_EQ(Frames(), (std::vector<std::string>{"57 FF 00 03 E5 F7 06"}));
        EXPECT_EQ(reporter.prompt, QLatin1String(c.prompt));
        EXPECT_FALSE(linkThread.Waiting());
    }
}

// The dialog is modal, as when the main window runs it. A click during the store of an Enter
// acts once the store is over; a click during a Read never acts.
TEST_F(SqlFineDialogTest, InputDuringAStoreActsAfterwardsAndDuringAReadNever)
{
    const struct {
        const char* name;
        std::function<void()> start;
        int rowAfter;
        int colAfter;
        std::size_t frames;
    } cases[] = {
        {"Enter", [this] { Press(Qt::Key_Return); }, 3, 2, 1},
        {"Read", [this] { dialog->Button(SqlFineDialog::kIdRead)->click(); }, 1, 1, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialog = new SqlFineDialog(image, link, &window);
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->SetLinkThread(&linkThread);
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        ClickFineCell(1, 1);
        radio.ClearLog();
        port->HoldAt(1);
        int rowDuring = 0;
        QTimer::singleShot(0, dialog, [&] {
            ClickFineCell(3, 2);
            rowDuring = FineGrid().CurrentRow();
            port->Release();
        });
        c.start();
        QApplication::processEvents();

        EXPECT_EQ(rowDuring, 1) << "the click acted during the call";
        EXPECT_EQ(FineGrid().CurrentRow(), c.rowAfter);
        EXPECT_EQ(FineGrid().CurrentCol(), c.colAfter);
        EXPECT_EQ(Frames().size(), c.frames);
        delete dialog;
        dialog = nullptr;
    }
}

TEST_F(SqlFineDialogTest, ReadFillsTheWholeAreaAndReloadsTheGrid)
{
    for (int i = 0; i < 32; ++i)
        radio.Memory()[static_cast<std::size_t>(0xF7E0 + i)] = static_cast<std::uint8_t>(0xE0 + i);
    OpenDialog();
    QTest::mouseClick(dialog->Button(SqlFineDialog::kIdRead), Qt::LeftButton);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 FF FF 03 E0 F7 08", "57 FF FF 03 E8 F7 08",
                                                  "57 FF FF 03 F0 F7 08", "57 FF FF 03 F8 F7 08"}));
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(Byte(static_cast<std::uint16_t>(0xF7E0 + i)), 0xE0 + i) << i;
    EXPECT_EQ(reporter.prompt, QStringLiteral("Read success!"));
    EXPECT_EQ(FineGrid().CellText(1, 1), QStringLiteral("-32"));   // 0xE0
    EXPECT_EQ(FineGrid().CellText(10, 2), QStringLiteral("-12"));  // 0xF4
}

TEST_F(SqlFineDialogTest, AFailedReadChangesNothing)
{
    for (int i = 0; i < 32; ++i) {
        radio.Memory()[static_cast<std::size_t>(0xF7E0 + i)] = 0x11;
        putU8(image.ParamArea(), static_cast<std::uint16_t>(0xF7E0 + i), 0x05);
    }
    OpenDialog();
    radio.FaultSettings().silentAfter = 2;
    QTest::mouseClick(dialog->Button(SqlFineDialog::kIdRead), Qt::LeftButton);
    EXPECT_EQ(Frames().size(), 3u);
    EXPECT_EQ(reporter.prompt, QStringLiteral("Read fail!"));
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(Byte(static_cast<std::uint16_t>(0xF7E0 + i)), 0x05) << i;
    EXPECT_EQ(FineGrid().CellText(1, 1), QStringLiteral("5"));

    link.ClosePort();
    QTest::mouseClick(dialog->Button(SqlFineDialog::kIdRead), Qt::LeftButton);
    EXPECT_EQ(reporter.prompt, QStringLiteral("Port Invail"));
    EXPECT_EQ(Byte(0xF7E0), 0x05);
}

} // namespace
} // namespace qmcal::test
