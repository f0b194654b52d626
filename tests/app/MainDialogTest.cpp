// The main window driven like a user would: mouse clicks on the menu, keys on the window.

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "AppHarness.h"
#include "app/PortDialog.h"
#include "data/Layouts.h"
#include "sim/PtyHost.h"

namespace qmcal::test {
namespace {

using namespace std::chrono_literals;

constexpr int kFile = 0;
constexpr int kProgram = 1;
constexpr int kSetting = 2;
constexpr int kHelp = 3;

// Opens a popup by clicking its title in the menu bar, as a user does; its update handler runs.
QMenu* OpenPopup(MainDialog& dialog, int index)
{
    QMenuBar* bar = dialog.MenuBar();
    QAction* title = bar->actions().at(index);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
    EXPECT_TRUE(title->menu()->isVisible()) << title->text().toStdString();
    return title->menu();
}

void ClosePopup(QMenu* popup)
{
    popup->hide();
}

// Opens the popup and clicks the item.
void Choose(MainDialog& dialog, int popupIndex, Command command)
{
    QMenu* popup = OpenPopup(dialog, popupIndex);
    QAction* action = dialog.Action(command);
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->isEnabled()) << action->text().toStdString();
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(action).center());
    ClosePopup(popup);
}

struct ItemState {
    QString text;
    bool enabled;
};

std::vector<ItemState> Items(QMenu* popup)
{
    std::vector<ItemState> items;
    for (QAction* action : popup->actions())
        items.push_back({action->text(), action->isEnabled()});
    return items;
}

void ExpectItems(QMenu* popup, const std::vector<ItemState>& expected)
{
    const std::vector<ItemState> actual = Items(popup);
    ASSERT_EQ(actual.size(), expected.size()) << popup->title().toStdString();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].text, expected[i].text);
        EXPECT_EQ(actual[i].enabled, expected[i].enabled) << expected[i].text.toStdString();
    }
}

class MainDialogTest : public ::testing::Test {
protected:
    void Show()
    {
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    // A radio on the link, as if detection had found it.
    sim::SimRadio& AttachRadio(std::uint8_t mark)
    {
        sim::SimRadio& radio = h.ports.Add(QStringLiteral("ttySIM"), MarkedMemory(mark));
        h.link.SetPort(h.ports.Open(QStringLiteral("ttySIM"), kFoundProfile));
        h.link.SetCurrentPortName(QStringLiteral("ttySIM"));
        return radio;
    }

    AppHarness h;
    std::unique_ptr<MainDialog> dialog = h.MakeDialog();
};

TEST_F(MainDialogTest, AfterStartUpTheGuardedItemsAreGreyedAndTheRemovedOnesGone)
{
    Show();
    for (QLineEdit* field : {dialog->PortField(), dialog->PttField(), dialog->PromptField(), dialog->FileNameField()})
        EXPECT_TRUE(field->text().isEmpty());

    QStringList titles;
    for (QAction* title : dialog->MenuBar()->actions())
        titles << title->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Program", "&Setting", "&Help"}));

    const struct {
        int popup;
        std::vector<ItemState> items;
    } cases[] = {
        {kFile,
         {{"&New(&N)\tCtrl+N", true},
          {"&Open(&O)...\tCtrl+O", true},
          {"&Save(&S)\tCtrl+S", false},
          {"Save &As(&A)...", false},
          {"Export", true},
          {"&Report...", true}}},
        {kProgram, {{"Read", true}, {"Write Rssi", false}}},
        {kSetting, {{"Port", true}}},
        {kHelp, {{"About...", true}}},
    };
    for (const auto& c : cases) {
        QMenu* popup = OpenPopup(*dialog, c.popup);
        ExpectItems(popup, c.items);
        // The items carry no key of their own: the window's shortcuts act on the keys they show.
        for (QAction* action : popup->actions())
            EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
        ClosePopup(popup);
    }
    for (const Command removed : {Command::Write, Command::WritePower, Command::SqlFine})
        EXPECT_EQ(dialog->Action(removed), nullptr);
}

TEST_F(MainDialogTest, WindowEndsAboveTheEtchedLineAndCannotBeResized)
{
    Show();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Debug Parameter"));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());

    auto topInDialog = [this](QWidget* w) { return w->mapTo(dialog.get(), QPoint(0, 0)).y(); };
    auto bottomInDialog = [this](QWidget* w) { return w->mapTo(dialog.get(), QPoint(0, w->height())).y(); };
    for (QLineEdit* field : {dialog->PortField(), dialog->PttField(), dialog->PromptField(), dialog->FileNameField()})
        EXPECT_LE(bottomInDialog(field), dialog->height());
    QWidget* etched = dialog->findChild<QWidget*>(QStringLiteral("control1080"));
    ASSERT_NE(etched, nullptr);
    EXPECT_EQ(topInDialog(etched), dialog->height() + 1);
    EXPECT_GT(topInDialog(dialog->TabControl()), dialog->height());

    QStringList tabs;
    for (int i = 0; i < dialog->TabControl()->count(); ++i)
        tabs << dialog->TabControl()->tabText(i);
    EXPECT_EQ(tabs, QStringList({"Power", "Rx Tuning", "Tx Mod", "Tone Mod", "Signal Mod", "Rx Test", "SQL",
                                 "RSSI", "Sql Fine", "Sql Fine"}));
}

TEST_F(MainDialogTest, EnterAndEscDoNothing)
{
    Show();
    dialog->PortField()->setFocus();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(dialog->PortField(), key);
        QTest::keyClick(dialog.get(), key);
        EXPECT_TRUE(dialog->isVisible()) << key;
    }
}

TEST_F(MainDialogTest, ReadShowsItsProgressAsItGoesAndEnablesTheGuardedItems)
{
    const sim::SimRadio& radio = AttachRadio(0x5A);
    Show();

    // Every text the Prompt takes, with the number of times the field had been painted by then:
    // the link blocks the event loop, so only an immediate repaint can show the progress.
    struct Shown {
        QString text;
        int paintsBefore;
    };
    std::vector<Shown> shown;
    int paints = 0;
    struct PaintCounter : QObject {
        int& count;
        explicit PaintCounter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                ++count;
            return false;
        }
    } counter(paints);
    dialog->PromptField()->installEventFilter(&counter);
    QObject::connect(dialog->PromptField(), &QLineEdit::textChanged,
                     [&](const QString& text) { shown.push_back({text, paints}); });

    Choose(*dialog, kProgram, Command::Read);

    EXPECT_EQ(dialog->PromptField()->text(), QStringLiteral("Read success!"));
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown[0].text, QStringLiteral("="));
    EXPECT_EQ(shown[shown.size() - 2].text, QStringLiteral("==="));
    for (std::size_t i = 1; i < shown.size(); ++i)
        EXPECT_GT(shown[i].paintsBefore, shown[i - 1].paintsBefore) << "\"" << shown[i - 1].text.toStdString()
                                                                     << "\" was never painted";
    for (std::uint16_t a = kCalibrationStart; a < kCalibrationEnd; ++a)
        ASSERT_EQ(h.image.ParamArea()[a], radio.Memory()[a]) << std::hex << a;
    EXPECT_TRUE(h.shell.imageFromRadio);

    QMenu* file = OpenPopup(*dialog, kFile);
    EXPECT_TRUE(dialog->Action(Command::Save)->isEnabled());
    EXPECT_TRUE(dialog->Action(Command::SaveAs)->isEnabled());
    ClosePopup(file);
    QMenu* program = OpenPopup(*dialog, kProgram);
    EXPECT_TRUE(dialog->Action(Command::WriteRssi)->isEnabled());
    ClosePopup(program);
}

TEST_F(MainDialogTest, AFailedReadLeavesSaveGreyed)
{
    const struct {
        const char* name;
        bool attach;
        int silentAfter;
        const char* prompt;
    } cases[] = {
        {"no port", false, -1, "Port Invail"},
        {"radio falls silent", true, 20, "Read fail!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AppHarness harness;
        if (c.attach) {
            sim::SimRadio& radio = harness.ports.Add(QStringLiteral("ttySIM"), MarkedMemory(0x5A));
            radio.FaultSettings().silentAfter = c.silentAfter;
            harness.link.SetPort(harness.ports.Open(QStringLiteral("ttySIM"), kFoundProfile));
        }
        std::unique_ptr<MainDialog> d = harness.MakeDialog();
        d->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(d.get()));
        const AreaBytes before = harness.image.ParamArea();

        Choose(*d, kProgram, Command::Read);

        EXPECT_EQ(d->PromptField()->text(), QLatin1String(c.prompt));
        EXPECT_FALSE(harness.shell.imageFromRadio);
        EXPECT_TRUE(harness.image.ParamArea() == before);
        QMenu* file = OpenPopup(*d, kFile);
        EXPECT_FALSE(d->Action(Command::Save)->isEnabled());
        ClosePopup(file);
    }
}

// Every Read that succeeds leaves in DATA/backup the file Save As would write; a failed one
// leaves nothing.
TEST_F(MainDialogTest, ReadKeepsABackupOfWhatItRead)
{
    sim::SimRadio& radio = AttachRadio(0x5A);
    Show();
    const QDir backups(h.shell.dataFolder + QStringLiteral("/backup"));
    for (const bool fails : {false, true}) {
        SCOPED_TRACE(fails ? "failed Read" : "Read");
        radio.FaultSettings().silentAfter = fails ? radio.FramesReceived() + 20 : -1;
        Choose(*dialog, kProgram, Command::Read);
        const QStringList kept = backups.entryList(QDir::Files);
        ASSERT_EQ(kept.size(), 1);
        EXPECT_TRUE(kept[0].startsWith(QLatin1String("read-"))) << kept[0].toStdString();
    }
    const QString saved = h.shell.exeFolder + QStringLiteral("saved.dat");
    ASSERT_TRUE(SaveImageFileAs(h.image, saved).ok);
    QFile backup(backups.filePath(backups.entryList(QDir::Files).at(0)));
    QFile expected(saved);
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly) && expected.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), expected.readAll());
}

TEST_F(MainDialogTest, ReadPutsTheDefaultFilesValueWhereTheRadioHoldsOneOutOfRange)
{
    sim::SimRadio& radio = AttachRadio(0x5A);
    ParamImage factory;
    FillFactoryImage(factory);
    const struct {
        std::uint16_t address;
        std::vector<std::uint8_t> radioBytes;
        bool repaired;
    } cases[] = {
        {0xF710, {0x00, 0x04}, true},   // Rx Tuning word 0x400, above 0x3FF
        {0xF712, {0xFF, 0x03}, false},  // 0x3FF: at its maximum, kept
        {0xF800, {0x08}, true},         // Tx Mod byte above 7
        {0xFB48, {0x00, 0x40}, true},   // SQL word above 0x3FFF
    };
    for (const auto& c : cases)
        std::copy(c.radioBytes.begin(), c.radioBytes.end(), radio.Memory().begin() + c.address);
    Show();

    Choose(*dialog, kProgram, Command::Read);

    EXPECT_EQ(dialog->PromptField()->text(), QStringLiteral("Read success!"));
    for (const auto& c : cases) {
        for (std::size_t i = 0; i < c.radioBytes.size(); ++i) {
            const std::uint8_t expected = c.repaired ? factory.ParamArea()[c.address + i] : c.radioBytes[i];
            EXPECT_EQ(h.image.ParamArea()[c.address + i], expected) << std::hex << c.address + i;
        }
    }
    EXPECT_EQ(h.image.ParamArea()[0xF400], 0x5A);
}

TEST_F(MainDialogTest, ReadAfterOpenKeepsTheFileSoSaveWritesTheRadiosData)
{
    // A file whose Power bytes are 0x11 and whose header Save must keep as it is.
    ParamImage fileImage;
    FillFactoryImage(fileImage);
    fileImage.ParamArea()[0xF400] = 0x11;
    const QString path = h.shell.exeFolder + QStringLiteral("Unit7.dat");
    ASSERT_TRUE(SaveImageFileAs(fileImage, path).ok);
    fileImage.IdBlock()[12] = 0x42;  // not the stamp: Save must not stamp again
    ASSERT_TRUE(SaveImageFile(fileImage, path).ok);

    AttachRadio(0x77);
    Show();
    h.dialogs.openAnswers = {path};
    Choose(*dialog, kFile, Command::Open);
    EXPECT_EQ(dialog->FileNameField()->text(), path);
    EXPECT_EQ(h.image.ParamArea()[0xF400], 0x11);

    Choose(*dialog, kProgram, Command::Read);
    EXPECT_EQ(dialog->PromptField()->text(), QStringLiteral("Read success!"));
    EXPECT_EQ(dialog->FileNameField()->text(), path);

    Choose(*dialog, kFile, Command::Save);
    EXPECT_TRUE(h.dialogs.saveAsked.empty()) << "Save with a current file asks nothing";
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    ASSERT_EQ(bytes.size(), 69632);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[12]), 0x42);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[4096 + 0xF400]), 0x77);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[4096 + 0xF40F]), 0x77);
}

// File > Report after a Read: the radio's values against Default.dat as loaded, the header
// naming the port, through a save dialog in DATA that offers both forms.
TEST_F(MainDialogTest, ReportAfterReadNamesThePortAndMarksTheRadiosValues)
{
    AttachRadio(0x77);
    Show();
    Choose(*dialog, kProgram, Command::Read);
    ASSERT_EQ(dialog->PromptField()->text(), QStringLiteral("Read success!"));
    const QString path = h.shell.dataFolder + QStringLiteral("/unit.html");
    h.dialogs.saveAnswers = {path};
    Choose(*dialog, kFile, Command::Report);
    ASSERT_EQ(h.dialogs.saveAsked.size(), 1U);
    EXPECT_EQ(h.dialogs.saveAsked[0].filter, QStringLiteral("Report (*.html);;Spreadsheet (*.csv)"));
    EXPECT_EQ(h.dialogs.saveAsked[0].folder, h.shell.dataFolder);
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(written.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("read from the radio on ttySIM at "))) << html.left(800).toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<td class=\"differs\">77 (119)<span class=\"ref\">reference 80 (128)")));
}

TEST_F(MainDialogTest, SaveAsAndExportAskWithTheirOptionsAndClearTheTailEvenWhenCancelled)
{
    AttachRadio(0x5A);
    Show();
    Choose(*dialog, kProgram, Command::Read);

    const struct {
        Command command;
        const char* filter;
        const char* suffix;
    } cases[] = {
        {Command::SaveAs, "Param Files (*.dat)", "dat"},
        {Command::Export, "Data Files (*.txt)", "txt"},
    };
    for (const auto& c : cases) {
        h.image.ParamArea()[0xFCB0] = 0xEE;
        h.image.ParamArea()[0xFCFF] = 0xEE;
        h.dialogs.saveAsked.clear();
        h.dialogs.saveAnswers = {QString()};  // cancelled
        Choose(*dialog, kFile, c.command);
        ASSERT_EQ(h.dialogs.saveAsked.size(), 1u);
        const FileDialogOptions& asked = h.dialogs.saveAsked.front();
        EXPECT_EQ(asked.filter, QLatin1String(c.filter));
        EXPECT_EQ(asked.defaultSuffix, QLatin1String(c.suffix));
        EXPECT_EQ(asked.initialName, QStringLiteral("Param"));
        EXPECT_EQ(asked.folder, h.shell.dataFolder);
        EXPECT_EQ(h.image.ParamArea()[0xFCB0], 0);
        EXPECT_EQ(h.image.ParamArea()[0xFCFF], 0);
    }
    EXPECT_TRUE(dialog->FileNameField()->text().isEmpty());

    const QString path = h.shell.exeFolder + QStringLiteral("Radio.dat");
    h.dialogs.saveAnswers = {path};
    Choose(*dialog, kFile, Command::SaveAs);
    EXPECT_EQ(dialog->FileNameField()->text(), path);
    EXPECT_EQ(QFileInfo(path).size(), 69632);
    EXPECT_TRUE(h.dialogs.messages.isEmpty()) << h.dialogs.messages.join(QLatin1Char('\n')).toStdString();
}

TEST_F(MainDialogTest, NewGreysTheGuardedItemsAgain)
{
    const QString path = h.shell.exeFolder + QStringLiteral("Default.dat");
    Show();
    h.dialogs.openAnswers = {path};
    Choose(*dialog, kFile, Command::Open);
    h.reporter.ShowPrompt(QStringLiteral("Complete"));
    EXPECT_EQ(dialog->FileNameField()->text(), path);

    Choose(*dialog, kFile, Command::New);

    EXPECT_TRUE(dialog->FileNameField()->text().isEmpty());
    EXPECT_TRUE(dialog->PromptField()->text().isEmpty());
    QMenu* file = OpenPopup(*dialog, kFile);
    EXPECT_FALSE(dialog->Action(Command::Save)->isEnabled());
    EXPECT_FALSE(dialog->Action(Command::SaveAs)->isEnabled());
    ClosePopup(file);
}

TEST_F(MainDialogTest, WriteRssiStoresTheElevenRssiRecords)
{
    sim::SimRadio& radio = AttachRadio(0x5A);
    Show();
    Choose(*dialog, kProgram, Command::Read);
    auto recordByte = [](int slot, int k) { return static_cast<std::uint8_t>(0x10 + slot * 4 + k); };
    for (int slot = 0; slot < kRssiLayout.SlotCount(); ++slot) {
        for (int k = 0; k < 4; ++k)
            h.image.ParamArea()[kRssiLayout.valueBase[slot] + k] = recordByte(slot, k);
    }
    radio.ClearLog();

    Choose(*dialog, kProgram, Command::WriteRssi);

    EXPECT_EQ(dialog->PromptField()->text(), QStringLiteral("Complete"));
    ASSERT_EQ(radio.FrameLog().size(), 11u);
    EXPECT_EQ(radio.FrameLog()[0], (sim::WireBytes{0x57, 0xFF, 0x00, 0x06, 0x00, 0xFC, 0x10, 0x11, 0x12, 0x13}));
    // Slot 5 ("150M R") keeps its record apart, at 0xFCA0.
    EXPECT_EQ(radio.FrameLog()[5], (sim::WireBytes{0x57, 0xFF, 0x00, 0x06, 0xA0, 0xFC, 0x24, 0x25, 0x26, 0x27}));
    for (int slot = 0; slot < kRssiLayout.SlotCount(); ++slot) {
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(radio.Memory()[kRssiLayout.valueBase[slot] + k], recordByte(slot, k)) << slot;
    }
}

TEST_F(MainDialogTest, PortWithCancelKeepsThePortFieldAndDetectionStaysStopped)
{
    AppHarness harness;
    harness.ports.Add(QStringLiteral("ttyA"), MarkedMemory(0));
    harness.link.SetCurrentPortName(QStringLiteral("ttyA"));
    harness.link.SetPort(harness.ports.Open(QStringLiteral("ttyA"), kFoundProfile));
    std::unique_ptr<MainDialog> d = harness.MakeDialog();
    d->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d.get()));
    EXPECT_EQ(d->PortField()->text(), QStringLiteral("ttyA"));
    EXPECT_TRUE(d->Detector().Running());

    bool portClosedMeanwhile = false;
    harness.dialogs.modal = [&](QDialog& portDialog) {
        EXPECT_EQ(portDialog.windowTitle(), QStringLiteral("Port Setting"));
        portClosedMeanwhile = !harness.link.HasPort();
        auto* cancel = portDialog.findChild<QPushButton*>(QStringLiteral("control2"));
        EXPECT_NE(cancel, nullptr);
        if (cancel != nullptr)
            QTest::mouseClick(cancel, Qt::LeftButton);
        return portDialog.result();
    };
    Choose(*d, kSetting, Command::Port);

    EXPECT_EQ(harness.dialogs.modalRuns, 1);
    EXPECT_TRUE(portClosedMeanwhile);
    EXPECT_EQ(d->PortField()->text(), QStringLiteral("ttyA"));
    EXPECT_TRUE(harness.link.PortIsOpen()) << "Cancel opens the previous port again";
    EXPECT_FALSE(d->Detector().Running());
    EXPECT_TRUE(harness.IniText().isEmpty()) << "Cancel writes nothing";
}

TEST_F(MainDialogTest, PortOkWithAnUnwritableProgramIniSaysSoOnceInThePrompt)
{
    h.ports.Add(QStringLiteral("ttyA"), MarkedMemory(0));
    dialog = h.MakeDialog([] { return QStringList{QStringLiteral("ttyA")}; });
    const QString ini = h.shell.exeFolder + QStringLiteral("gone/Program.ini");
    h.settings.SetFileName(h.shell.exeFolder + QStringLiteral("gone/"), QStringLiteral("Program.ini"));
    Show();

    h.dialogs.modal = [](QDialog& portDialog) {
        auto& port = static_cast<PortDialog&>(portDialog);
        QTest::mouseClick(port.Button(0), Qt::LeftButton, {}, QPoint(6, port.Button(0)->height() / 2));
        auto* ok = port.findChild<QPushButton*>(QStringLiteral("control1"));
        EXPECT_NE(ok, nullptr);
        if (ok != nullptr)
            QTest::mouseClick(ok, Qt::LeftButton);
        return port.result();
    };
    Choose(*dialog, kSetting, Command::Port);
    EXPECT_EQ(h.link.CurrentPortName(), QStringLiteral("ttyA"));
    EXPECT_EQ(dialog->PromptField()->text(), QStringLiteral("Cannot write ") + ini);
    EXPECT_TRUE(h.shell.settingsFailureSaid);

    dialog->PromptField()->clear();
    Choose(*dialog, kSetting, Command::Port);
    EXPECT_EQ(h.dialogs.modalRuns, 2);
    EXPECT_TRUE(dialog->PromptField()->text().isEmpty()) << "said once, not at every write";
}

TEST_F(MainDialogTest, AboutShowsTheVersion)
{
    Show();
    QStringList texts;
    h.dialogs.modal = [&](QDialog& about) {
        EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
        for (QLabel* label : about.findChildren<QLabel*>())
            texts << label->text();
        auto* ok = about.findChild<QPushButton*>(QStringLiteral("control1"));
        EXPECT_NE(ok, nullptr);
        if (ok != nullptr)
            QTest::mouseClick(ok, Qt::LeftButton);
        return about.result();
    };
    Choose(*dialog, kHelp, Command::About);
    EXPECT_EQ(h.dialogs.modalRuns, 1);
    EXPECT_TRUE(texts.contains(QStringLiteral("Version 2.0.6.2"))) << texts.join(QLatin1Char('|')).toStdString();
}

// The radio holds the Read back at its 100th block until the UI thread has done its part: a
// window that waited for the radio without its event loop would never get that far.
TEST(MainDialogBusy, DuringAReadTimersRunInputIsDroppedAndACloseWaitsForTheEnd)
{
    const struct {
        const char* name;
        bool close;
        const char* prompt;
    } cases[] = {
        {"click and shortcut during the Read", false, "Read success!"},
        {"closed during the Read", true, "Read fail!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AppHarness h;
        sim::SimRadio& radio = h.ports.Add(QStringLiteral("ttySIM"), MarkedMemory(0x5A));
        auto loopback = std::make_unique<LoopbackPort>(radio);
        LoopbackPort& line = *loopback;
        h.link.SetPort(std::move(loopback));
        std::unique_ptr<MainDialog> d = h.MakeDialog();
        d->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(d.get()));
        const AreaBytes before = h.image.ParamArea();

        line.HoldAt(100);
        bool timerRan = false;
        bool openWhenClosed = false;
        QTimer::singleShot(0, d.get(), [&] {
            timerRan = true;
            QMenuBar* bar = d->MenuBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().at(kFile)).center());
            QTest::keyClick(d.get(), Qt::Key_O, Qt::ControlModifier);
            if (c.close) {
                d->close();
                openWhenClosed = d->isVisible();
            }
            line.Release();
        });
        Choose(*d, kProgram, Command::Read);
        QApplication::processEvents();

        EXPECT_TRUE(timerRan);
        EXPECT_EQ(d->PromptField()->text(), QLatin1String(c.prompt));
        EXPECT_FALSE(d->Popup(kFile)->isVisible()) << "the click opened the menu";
        EXPECT_TRUE(h.dialogs.openAsked.empty()) << "Ctrl+O ran Open";
        if (c.close) {
            EXPECT_TRUE(openWhenClosed);
            EXPECT_TRUE(QTest::qWaitFor([&] { return !d->isVisible(); }, 5000)) << "closes once the Read is over";
            EXPECT_TRUE(h.image.ParamArea() == before);
            EXPECT_FALSE(h.shell.imageFromRadio);
        } else {
            EXPECT_TRUE(d->isVisible());
            EXPECT_EQ(h.image.ParamArea()[0xF400], 0x5A);
        }
    }
}

// The link's refusal of a store while a PTT is on is a message box that opens during the store
// loop, and the user can click it away.
TEST(MainDialogBusy, TheBusyMessageDuringAStoreLoopTakesItsClick)
{
    AppHarness h;
    sim::SimRadio& radio = h.ports.Add(QStringLiteral("ttySIM"), MarkedMemory(0x5A));
    h.link.SetPort(h.ports.Open(QStringLiteral("ttySIM"), kFoundProfile));
    std::unique_ptr<MainDialog> d = h.MakeDialog();
    d->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d.get()));
    ASSERT_EQ(h.link.PttStart(0x40), ExchangeResult::Ok);
    h.shell.imageFromRadio = true;
    radio.ClearLog();

    bool okClicked = false;
    h.dialogs.onMessage = [&okClicked](QWidget* parent, const QString& text) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("qmcal"), text, QMessageBox::Ok, parent);
        QTimer::singleShot(0, &box, [&box] { QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton); });
        QTimer::singleShot(5000, &box, &QWidget::hide);  // the click never came
        box.exec();
        okClicked = box.clickedButton() == box.button(QMessageBox::Ok);
    };
    Choose(*d, kProgram, Command::WriteRssi);

    EXPECT_TRUE(okClicked);
    EXPECT_EQ(h.dialogs.messages, QStringList{QStringLiteral("请先结束PTT或开始命令: Power")});
    EXPECT_TRUE(radio.FrameLog().empty());
    EXPECT_EQ(h.link.ActiveCommand(), 0x40);
}

TEST(MainDialogPages, PagesReloadWhenTheImageIsReplacedAndSaveInSlotOrderOnClose)
{
    AppHarness h;
    QStringList events;
    MainDialogSeams seams;
    seams.portLister = [] { return QStringList(); };
    seams.pageFactory = [&events](int slot, AppContext&, QWidget*) {
        PageSlot made;
        made.page = std::make_unique<QWidget>();
        made.loadGrid = [&events, slot] { events << QStringLiteral("load%1").arg(slot); };
        made.saveGrid = [&events, slot] { events << QStringLiteral("save%1").arg(slot); };
        return made;
    };
    MainDialog dialog(h.context, std::move(seams));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(events.count(QStringLiteral("load0")), 1) << "New at start-up reloads the pages";
    EXPECT_EQ(dialog.Page(0)->parentWidget(), dialog.TabControl());
    EXPECT_FALSE(dialog.Page(1)->isVisibleTo(dialog.TabControl()));

    events.clear();
    h.dialogs.openAnswers = {h.shell.exeFolder + QStringLiteral("Default.dat")};
    dialog.RunCommand(Command::Open);
    EXPECT_EQ(events, QStringList({"load0", "load1", "load2", "load3", "load4", "load5", "load6", "load7"}));

    events.clear();
    dialog.close();
    EXPECT_EQ(events, QStringList({"save0", "save1", "save2", "save3", "save4", "save5", "save6", "save7"}));
    EXPECT_EQ(dialog.Page(0), nullptr);
    EXPECT_FALSE(dialog.Detector().Running());
}

TEST(MainDialogDetection, FindsTheSimulatedRadioAndReadsThroughIt)
{
    sim::PtyHost host(sim::SimRadio(MarkedMemory(0x3C)));
    std::string error;
    ASSERT_TRUE(host.Start(&error)) << error;
    const QString path = QString::fromStdString(host.SlavePath());

    AppHarness h;
    MainDialogSeams seams;
    seams.pageFactory = {};
    seams.portLister = [path] { return QStringList{path}; };
    MainDialog dialog(h.context, std::move(seams));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.PortField()->text() == path; }, 20000));
    EXPECT_EQ(h.link.CurrentPortName(), path);

    Choose(dialog, kProgram, Command::Read);
    EXPECT_EQ(dialog.PromptField()->text(), QStringLiteral("Read success!"));
    EXPECT_EQ(h.image.ParamArea()[0xF400], 0x3C);
}

} // namespace
} // namespace qmcal::test
