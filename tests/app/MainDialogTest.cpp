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
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <utility>

#include "AppHarness.h"
#include "app/QtUserDialogs.h"
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
          {"", true},
          {"Open &Data Folder", true},

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

// Each command's outcome is a line in the session log by the time the command is over: the
// port, the file and the text the window showed.
TEST_F(MainDialogTest, OutcomesGoToTheSessionLogAsTheyHappen)
{
    sim::SimRadio& radio = AttachRadio(0x5A);
    Show();
    const QString unit = h.shell.exeFolder + QStringLiteral("Unit7.dat");
    const QString nowhere = h.shell.exeFolder + QStringLiteral("none/Unit7.txt");
    const QRegularExpression time(QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d$)"));
    const struct {
        const char* name;
        std::function<void()> act;
        QStringList lines;  // command, port, file, result; a result ending in "..." is a start
    } cases[] = {
        {"start-up", [] {}, {"New\t\t" + h.shell.defaultFile + "\tdone"}},
        {"Read",
         [&] { Choose(*dialog, kProgram, Command::Read); },
         {"Read\tttySIM\t\tRead success!", "Backup\tttySIM\t" + h.shell.dataFolder + "/backup\tbackup written"}},
        {"Save without a file asks as Save As",
         [&] {
             h.dialogs.saveAnswers = {unit};
             Choose(*dialog, kFile, Command::Save);
         },
         {"Save As\tttySIM\t" + unit + "\tdone"}},
        {"Save", [&] { Choose(*dialog, kFile, Command::Save); }, {"Save\tttySIM\t" + unit + "\tdone"}},
        {"Write Rssi answered with Cancel",
         [&] {
             h.dialogs.answers = {false};
             Choose(*dialog, kProgram, Command::WriteRssi);
         },
         {"Write Rssi\tttySIM\t" + unit + "\tcancelled"}},
        {"failed Read",
         [&] {
             radio.FaultSettings().silentAfter = radio.FramesReceived() + 20;
             Choose(*dialog, kProgram, Command::Read);
         },
         {"Read\tttySIM\t\tRead fail!"}},
        {"Report",
         [&] {
             h.dialogs.saveAnswers = {h.shell.dataFolder + "/Unit7.csv"};
             Choose(*dialog, kFile, Command::Report);
         },
         {"Report\tttySIM\t" + h.shell.dataFolder + "/Unit7.csv\tdone"}},
        {"Export that cannot be written",
         [&] {
             h.dialogs.saveAnswers = {nowhere};
             Choose(*dialog, kFile, Command::Export);
         },
         {"Export\tttySIM\t" + nowhere + "\t..."}},
    };
    qsizetype seen = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.act();
        const QStringList lines = h.LogLines().mid(seen);
        seen += lines.size();
        ASSERT_EQ(lines.size(), c.lines.size()) << lines.join('\n').toStdString();
        for (qsizetype i = 0; i < lines.size(); ++i) {
            EXPECT_TRUE(time.match(lines[i].section('\t', 0, 0)).hasMatch()) << lines[i].toStdString();
            const QString got = lines[i].section('\t', 1);
            if (c.lines[i].endsWith(QLatin1String("\t...")))
                EXPECT_TRUE(got.startsWith(c.lines[i].chopped(3)) && got.size() > c.lines[i].size()) << got.toStdString();
            else
                EXPECT_EQ(got, c.lines[i]);
        }
    }
    EXPECT_EQ(h.dialogs.messages, QStringList{"Cannot write " + nowhere + ": No such file or directory"});
    EXPECT_TRUE(h.logFailures.isEmpty());
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

// A Read makes an image of no file: Save then asks for a name instead of overwriting the file
// open before, which holds another radio's values. Every file command says what it wrote.
TEST_F(MainDialogTest, ReadEmptiesTheFileNameSoSaveAsksAndEveryWriteSaysItsFile)
{
    // A file whose Power bytes are 0x11 and whose header no Save may touch.
    ParamImage fileImage;
    FillFactoryImage(fileImage);
    fileImage.ParamArea()[0xF400] = 0x11;
    const QString path = h.shell.exeFolder + QStringLiteral("Unit7.dat");
    ASSERT_TRUE(SaveImageFileAs(fileImage, path).ok);
    fileImage.IdBlock()[12] = 0x42;
    ASSERT_TRUE(SaveImageFile(fileImage, path).ok);

    sim::SimRadio& radio = AttachRadio(0x77);
    Show();
    h.dialogs.openAnswers = {path};
    Choose(*dialog, kFile, Command::Open);
    EXPECT_EQ(dialog->FileNameField()->text(), path);

    // A failed Read changes nothing: the image and its file stay together.
    radio.FaultSettings().silentAfter = radio.FramesReceived() + 20;
    Choose(*dialog, kProgram, Command::Read);
    EXPECT_EQ(dialog->PromptField()->text(), QStringLiteral("Read fail!"));
    EXPECT_EQ(dialog->FileNameField()->text(), path);
    EXPECT_EQ(h.image.ParamArea()[0xF400], 0x11);

    radio.FaultSettings().silentAfter = -1;
    Choose(*dialog, kProgram, Command::Read);
    EXPECT_EQ(dialog->PromptField()->text(), QStringLiteral("Read success!"));
    EXPECT_TRUE(dialog->FileNameField()->text().isEmpty());
    EXPECT_TRUE(h.shell.currentFileName.isEmpty());

    const QString radioPath = h.shell.exeFolder + QStringLiteral("Radio.dat");
    const QString otherPath = h.shell.exeFolder + QStringLiteral("Other.dat");
    const QString textPath = h.shell.exeFolder + QStringLiteral("Radio.txt");
    const QString noFolder = h.shell.exeFolder + QStringLiteral("gone/Radio.txt");
    const struct {
        const char* name;
        Command command;
        QString answer;  // to the save dialog; empty: none is asked
        QString prompt;
        QString written;  // the Prompt's tool tip; empty: nothing written
    } cases[] = {
        {"Save after the Read asks as Save As does", Command::Save, radioPath, "Saved Radio.dat", radioPath},
        {"Save with a current file asks nothing", Command::Save, QString(), "Saved Radio.dat", radioPath},
        {"Save As", Command::SaveAs, otherPath, "Saved Other.dat", otherPath},
        {"Export", Command::Export, textPath, "Exported Radio.txt", textPath},
        {"Export into no folder", Command::Export, noFolder, "", QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        h.dialogs.saveAsked.clear();
        h.dialogs.messages.clear();
        dialog->PromptField()->clear();
        if (!c.answer.isEmpty())
            h.dialogs.saveAnswers = {c.answer};
        Choose(*dialog, kFile, c.command);
        ASSERT_EQ(h.dialogs.saveAsked.size(), c.answer.isEmpty() ? 0u : 1u);
        if (!c.answer.isEmpty()) {
            EXPECT_EQ(h.dialogs.saveAsked.front().initialName, QStringLiteral("Param"));
            EXPECT_EQ(h.dialogs.saveAsked.front().folder, h.shell.dataFolder);
        }
        EXPECT_EQ(dialog->PromptField()->text(), c.prompt);
        EXPECT_EQ(dialog->PromptField()->toolTip(), QDir::toNativeSeparators(c.written));
        if (c.written.isEmpty()) {
            ASSERT_EQ(h.dialogs.messages.size(), 1);
            EXPECT_TRUE(h.dialogs.messages[0].startsWith(QStringLiteral("Cannot write ") + QDir::toNativeSeparators(noFolder) + QStringLiteral(": ")))
                << h.dialogs.messages[0].toStdString();
        } else {
            EXPECT_TRUE(h.dialogs.messages.isEmpty()) << h.dialogs.messages.join(QLatin1Char('\n')).toStdString();
            EXPECT_TRUE(QFileInfo(c.written).isFile());
        }
    }
    EXPECT_EQ(dialog->FileNameField()->text(), otherPath);

    // The file open before the Read still holds its own unit's values.
    QFile unit(path);
    ASSERT_TRUE(unit.open(QIODevice::ReadOnly));
    const QByteArray bytes = unit.readAll();
    ASSERT_EQ(bytes.size(), 69632);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[12]), 0x42);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[4096 + 0xF400]), 0x11);
    QFile saved(radioPath);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(static_cast<std::uint8_t>(saved.readAll().at(4096 + 0xF40F)), 0x77);
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
    EXPECT_EQ(dialog->PromptField()->text(), QStringLiteral("Saved unit.html"));
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

// What the window refuses it says, naming the file where the text is its own; the image, the
// file name and the files on disk stay as they were.
TEST_F(MainDialogTest, FilesTheWindowRefusesChangeNothing)
{
    AttachRadio(0x5A);
    Show();
    Choose(*dialog, kProgram, Command::Read);
    const QString folder = h.shell.exeFolder;
    QFile::copy(h.shell.defaultFile, folder + QStringLiteral("whole.dat"));
    QFile whole(folder + QStringLiteral("whole.dat"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    for (const char* name : {"ro.dat", "ro.txt"}) {
        QFile file(folder + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("golden") == 6);
        file.close();
        ASSERT_TRUE(file.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    for (const auto& [name, content] : {std::pair{"short.dat", bytes.left(67200)}, std::pair{"long.dat", bytes + "tail"}}) {
        QFile file(folder + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }

    const struct {
        Command command;
        const char* file;
        QString message;  // empty: none
        QString prompt;   // what the Prompt field shows afterwards
    } cases[] = {
        {Command::SaveAs, "ro.dat", folder + QStringLiteral("ro.dat: the file is read-only"), "Read success!"},
        {Command::Export, "ro.txt", folder + QStringLiteral("ro.txt: the file is read-only"), "Read success!"},
        {Command::Export, "none/x.txt", "Cannot write " + folder + "none/x.txt: No such file or directory", "Read success!"},
        // Open's box: the text as before, then the file it is about.
        {Command::Open, "short.dat", "67200 bytes, a parameter file has 69632\n" + folder + "short.dat", "Read success!"},
        {Command::Open, "long.dat", {}, QStringLiteral("69636 bytes, a parameter file has 69632; the rest was ignored")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        h.dialogs.messages.clear();
        const AreaBytes before = h.image.ParamArea();
        const QString path = folder + QLatin1String(c.file);
        (c.command == Command::Open ? h.dialogs.openAnswers : h.dialogs.saveAnswers) = {path};
        Choose(*dialog, kFile, c.command);
        EXPECT_EQ(h.dialogs.messages, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(dialog->PromptField()->text(), c.prompt);
        if (c.message.isEmpty() && c.command == Command::Open) {
            EXPECT_EQ(dialog->FileNameField()->text(), path);
            continue;
        }
        EXPECT_EQ(dialog->FileNameField()->text(), QString());
        if (c.command == Command::Open) {
            EXPECT_EQ(h.image.ParamArea(), before);  // the radio's values, not mixed with the file's
        }
    }
    for (const char* name : {"ro.dat", "ro.txt"}) {
        QFile file(folder + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), "golden") << name;
    }
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

    h.dialogs.answers = {true};
    Choose(*dialog, kProgram, Command::WriteRssi);

    EXPECT_EQ(dialog->PromptField()->text(), QStringLiteral("Complete"));
    // Eleven stores, then the six blocks that hold them read back.
    ASSERT_EQ(radio.FrameLog().size(), 17u);
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
    h.dialogs.answers = {true};
    Choose(*d, kProgram, Command::WriteRssi);

    EXPECT_EQ(h.dialogs.questions.size(), 1) << "the question comes before the refusal";
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

// A window with the whole Program menu (Write and Write Power too) and, unless told not to, a
// simulated radio on its port.
struct WriteRig {
    explicit WriteRig(bool attach)
    {
        h.shell.workbench = true;
        if (attach) {
            radio = &h.ports.Add(QStringLiteral("ttySIM"), MarkedMemory(0x5A));
            h.link.SetPort(h.ports.Open(QStringLiteral("ttySIM"), kFoundProfile));
            h.link.SetCurrentPortName(QStringLiteral("ttySIM"));
        }
        d = h.MakeDialog();
        d->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(d.get()));
    }

    void Read()
    {
        Choose(*d, kProgram, Command::Read);
        EXPECT_EQ(d->PromptField()->text(), QStringLiteral("Read success!"));
    }

    AppHarness h;
    sim::SimRadio* radio = nullptr;
    std::unique_ptr<MainDialog> d;
};

using IndexedFrames = std::vector<std::pair<std::size_t, sim::WireBytes>>;

sim::WireBytes StoreFrame(std::uint8_t low, std::uint8_t high, std::vector<std::uint8_t> data)
{
    sim::WireBytes frame{0x57, 0xFF, 0x00, static_cast<std::uint8_t>(data.size() + 2), low, high};
    frame.insert(frame.end(), data.begin(), data.end());
    return frame;
}

const sim::WireBytes kEightZeros(8, 0x00);

// Write, Write Power and Write Rssi ask first: Cancel sends nothing and changes nothing, OK sends
// the command's own frames and then reads back what they wrote. The question names what goes
// where and counts what differs from this session's Read as the radio gave it (before the range
// repair); without a port there is no question, only the command's own no-port text.
TEST(MainDialogWrites, EachWriteAsksFirstThenSendsItsFrames)
{
    const QString readAt = QStringLiteral("\\d\\d:\\d\\d:\\d\\d");
    const QString fromRead = QStringLiteral("\n\nFrom: the data read from the radio at ") + readAt + QStringLiteral("\n");
    const struct {
        const char* name;
        Command command;
        bool attach;
        bool readFirst;  // else Default.dat is opened
        bool ok;
        QString question;  // a pattern; empty: no question
        std::size_t frameCount;
        IndexedFrames frames;
        const char* prompt;
    } cases[] = {
        {"Write, Cancel", Command::Write, true, true, false,
         QStringLiteral("^Write the whole calibration region into the radio on ttySIM\\?") + fromRead
             + QStringLiteral("Power 2, RSSI 1 values differ from what was read at ") + readAt + QStringLiteral("\\.$"),
         0, {}, "Read success!"},
        {"Write, OK", Command::Write, true, true, true, QStringLiteral("^Write the whole calibration region"), 290 + 286,
         {{0, StoreFrame(0x00, 0xF4, {0x5A, 0x77, 0x78, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A})},
          {278, StoreFrame(0xB0, 0xFC, kEightZeros)},  // cleared in the image before it is sent
          {285, StoreFrame(0xE8, 0xFC, kEightZeros)},
          {286, StoreFrame(0xE0, 0xF7, kEightZeros)},  // then the radio's Sql Fine bytes
          {289, StoreFrame(0xF8, 0xF7, kEightZeros)},
          {290, {0x57, 0xFF, 0xFF, 0x03, 0x00, 0xF4, 0x08}},
          {575, {0x57, 0xFF, 0xFF, 0x03, 0xE8, 0xFC, 0x08}}},
         "Write success!"},
        {"Write Power, Cancel", Command::WritePower, true, true, false, QStringLiteral("^Write the Power values"), 0, {},
         "Read success!"},
        {"Write Power, OK", Command::WritePower, true, true, true,
         QStringLiteral("^Write the Power values into the radio on ttySIM\\?") + fromRead
             + QStringLiteral("Power 2 values differ from what was read at ") + readAt + QStringLiteral("\\.$"),
         80 + 77,
         {{0, StoreFrame(0x00, 0xF4, {0x5A, 0x77, 0x78, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A})},
          {80, {0x57, 0xFF, 0xFF, 0x03, 0x00, 0xF4, 0x08}},
          {156, {0x57, 0xFF, 0xFF, 0x03, 0x60, 0xF6, 0x08}}},
         "Complete"},
        // The radio's out-of-range RSSI1 of 30M was repaired in the image: it differs.
        {"Write Rssi, OK", Command::WriteRssi, true, true, true,
         QStringLiteral("^Write the RSSI values into the radio on ttySIM\\?") + fromRead
             + QStringLiteral("RSSI 1 values differ from what was read at ") + readAt + QStringLiteral("\\.$"),
         11 + 6,
         {{11, {0x57, 0xFF, 0xFF, 0x03, 0x00, 0xFC, 0x08}}, {16, {0x57, 0xFF, 0xFF, 0x03, 0xA0, 0xFC, 0x08}}},
         "Complete"},
        {"Write Rssi from a file, never read, Cancel", Command::WriteRssi, true, false, false,
         QStringLiteral("^Write the RSSI values into the radio on ttySIM\\?\n\nFrom: .*Default\\.dat\n"
                        "The radio's present values are unknown: it was not read since the program started\\.$"),
         0, {}, ""},
        {"Write without a port", Command::Write, false, false, true, QString(), 0, {}, "Port Invalid"},
        {"Write Power without a port", Command::WritePower, false, false, true, QString(), 0, {}, "Please select port"},
        {"Write Rssi without a port", Command::WriteRssi, false, false, true, QString(), 0, {}, "Please select port"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto rig = std::make_unique<WriteRig>(c.attach);
        AppHarness& h = rig->h;
        if (c.attach)
            rig->radio->Memory()[0xFC01] = 0x40;  // RSSI1 of 30M: 0x4000, above its 0x3FFF
        if (c.readFirst) {
            rig->Read();
        } else {
            h.dialogs.openAnswers = {h.shell.defaultFile};
            Choose(*rig->d, kFile, Command::Open);
        }
        h.image.ParamArea()[0xF401] = 0x77;
        h.image.ParamArea()[0xF402] = 0x78;
        h.image.ParamArea()[0xFCB0] = 0xEE;
        const AreaBytes before = h.image.ParamArea();
        if (c.attach)
            rig->radio->ClearLog();

        h.dialogs.answers = {c.ok};
        Choose(*rig->d, kProgram, c.command);

        if (c.question.isEmpty()) {
            EXPECT_TRUE(h.dialogs.questions.isEmpty());
        } else {
            ASSERT_EQ(h.dialogs.questions.size(), 1);
            EXPECT_TRUE(QRegularExpression(c.question).match(h.dialogs.questions[0]).hasMatch())
                << h.dialogs.questions[0].toStdString();
        }
        EXPECT_EQ(rig->d->PromptField()->text(), QLatin1String(c.prompt));
        EXPECT_TRUE(h.dialogs.messages.isEmpty()) << h.dialogs.messages.join(QLatin1Char('\n')).toStdString();
        const bool cleared = c.ok && c.command == Command::Write;
        EXPECT_EQ(h.image.ParamArea()[0xFCB0], cleared ? 0x00 : 0xEE);
        h.image.ParamArea()[0xFCB0] = 0xEE;
        EXPECT_TRUE(h.image.ParamArea() == before) << "the image changed";
        if (!c.attach)
            continue;
        ASSERT_EQ(rig->radio->FrameLog().size(), c.frameCount);
        for (const auto& [index, frame] : c.frames)
            EXPECT_EQ(rig->radio->FrameLog().at(index), frame) << "frame " << index;
    }
}

// The read-back compares what the radio holds with the bytes that were sent, never with the
// image: Write sends zeros for the radio's Sql Fine bytes while the image keeps its own.
TEST(MainDialogWrites, AWriteIsReadBackAndADifferenceSaidWithThePointsItTouches)
{
    const struct {
        const char* name;
        Command command;
        bool forgetStores;
        bool silentAfterStores;
        const char* prompt;
        QStringList message;  // its lines; the ones after the first as patterns
    } cases[] = {
        {"Write, kept", Command::Write, false, false, "Write success!", {}},
        {"Write, forgotten", Command::Write, true, false, "Write success! Verify failed",
         {QStringLiteral("Verify failed: 3 points differ (4 bytes)"),
          QStringLiteral("^Power +30M +\\S+ +Mid 2 \\(0-FF\\) +77 +5A$"),
          QStringLiteral("^Power +30M +\\S+ +Mid 1 \\(0-FF\\) +78 +5A$"),
          QStringLiteral("^RSSI +30M +\\S+ +RSSI1 \\(0-3FFF\\) +1234 +2000$")}},
        {"Write Rssi, forgotten", Command::WriteRssi, true, false, "Complete Verify failed",
         {QStringLiteral("Verify failed: 1 point differs (2 bytes)"),
          QStringLiteral("^RSSI +30M +\\S+ +RSSI1 \\(0-3FFF\\) +1234 +2000$")}},
        {"Write Power, no read-back", Command::WritePower, false, true, "Complete Verify failed",
         {QStringLiteral("Verify failed: Read fail!")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto rig = std::make_unique<WriteRig>(true);
        AppHarness& h = rig->h;
        sim::SimRadio& radio = *rig->radio;
        rig->Read();
        h.image.ParamArea()[0xF401] = 0x77;
        h.image.ParamArea()[0xF402] = 0x78;
        h.image.ParamArea()[0xFC00] = 0x34;  // RSSI1 of 30M: 0x1234
        h.image.ParamArea()[0xFC01] = 0x12;
        h.image.ParamArea()[0xF7E0] = 0x05;  // Sql Fine offsets the radio gets as zeros
        h.image.ParamArea()[0xF7FF] = 0xFB;
        const AreaBytes before = h.image.ParamArea();
        radio.FaultSettings().forgetStores = c.forgetStores;
        const int stores = c.command == Command::Write ? 290 : c.command == Command::WritePower ? 80 : 11;
        if (c.silentAfterStores)
            radio.FaultSettings().silentAfter = radio.FramesReceived() + stores;

        h.dialogs.answers = {true};
        Choose(*rig->d, kProgram, c.command);

        EXPECT_EQ(rig->d->PromptField()->text(), QLatin1String(c.prompt));
        if (c.message.isEmpty()) {
            EXPECT_TRUE(h.dialogs.messages.isEmpty()) << h.dialogs.messages.join(QLatin1Char('\n')).toStdString();
        } else {
            ASSERT_EQ(h.dialogs.messages.size(), 1);
            const QStringList lines = h.dialogs.messages[0].split(QLatin1Char('\n'));
            ASSERT_EQ(lines.size(), c.message.size()) << h.dialogs.messages[0].toStdString();
            EXPECT_EQ(lines[0], c.message[0]);
            for (qsizetype i = 1; i < lines.size(); ++i)
                EXPECT_TRUE(QRegularExpression(c.message[i]).match(lines[i]).hasMatch()) << lines[i].toStdString();
        }
        EXPECT_TRUE(h.image.ParamArea() == before) << "the read-back changed the image";
        if (c.command == Command::Write && !c.forgetStores) {
            EXPECT_EQ(radio.Memory()[0xF7E0], 0x00);
        }
    }
}

// A Read whose backup cannot be kept says so in a box after "Read success!" (once per Read; once
// a run when there is no home folder), and File > Open Data Folder shows where backups go.
TEST(MainDialogBackup, AFailedBackupIsSaidInABox)
{
    const struct {
        const char* name;
        bool homeless;
        int messagesAfterTwoReads;
        QString firstMessage;  // its beginning
        bool folderOpens;
    } cases[] = {
        {"backup/ is a file", false, 2, QStringLiteral("No backup of this Read: "), true},
        {"no home folder", true, 1, QStringLiteral("No backup of this Read: no home folder to keep it in"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto rig = std::make_unique<WriteRig>(true);
        AppHarness& h = rig->h;
        if (c.homeless) {
            h.shell.dataFolder.clear();
        } else {
            ASSERT_TRUE(QDir().mkpath(h.shell.dataFolder));
            QFile blocker(h.shell.dataFolder + QStringLiteral("/backup"));
            ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        }
        rig->Read();
        rig->Read();
        ASSERT_EQ(h.dialogs.messages.size(), c.messagesAfterTwoReads);
        EXPECT_TRUE(h.dialogs.messages[0].startsWith(c.firstMessage)) << h.dialogs.messages[0].toStdString();
        if (!c.homeless) {
            EXPECT_TRUE(h.dialogs.messages[0].contains(QDir::toNativeSeparators(h.shell.dataFolder + QStringLiteral("/backup"))))
                << h.dialogs.messages[0].toStdString();
        }
        EXPECT_EQ(rig->d->PromptField()->text(), QStringLiteral("Read success!"));

        h.dialogs.messages.clear();
        Choose(*rig->d, kFile, Command::OpenDataFolder);
        if (c.folderOpens) {
            EXPECT_EQ(h.urlsOpened, QList<QUrl>{QUrl::fromLocalFile(h.shell.dataFolder)});
            EXPECT_TRUE(h.dialogs.messages.isEmpty());
        } else {
            EXPECT_TRUE(h.urlsOpened.isEmpty());
            EXPECT_EQ(h.dialogs.messages, QStringList{QStringLiteral("No data folder to open: there is no home folder")});
        }
    }
}

// The real question: only its OK button says yes; Enter takes the default, Cancel, and so does
// Escape.
TEST(QtUserDialogsTest, OnlyOkAnswersTheQuestionWithYes)
{
    const struct {
        const char* name;
        std::function<void(QMessageBox&)> answer;
        bool ok;
    } cases[] = {
        {"Enter", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }, false},
        {"Escape", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }, false},
        {"Cancel clicked", [](QMessageBox& box) { QTest::mouseClick(box.button(QMessageBox::Cancel), Qt::LeftButton); }, false},
        {"OK clicked", [](QMessageBox& box) { QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton); }, true},
    };
    QWidget parent;
    parent.show();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool answered = false;
        QTimer::singleShot(0, &parent, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), QStringLiteral("Write?"));
            answered = true;
            c.answer(*box);
            if (box->isVisible())
                box->done(QMessageBox::Ok);  // the key went nowhere: fail below, not hang
        });
        QtUserDialogs dialogs;
        EXPECT_EQ(dialogs.Ask(&parent, QStringLiteral("Write?")), c.ok);
        EXPECT_TRUE(answered);
    }
}

} // namespace
} // namespace qmcal::test
