#include "app/MainDialog.h"

#include <algorithm>

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabBar>
#include <QUrl>

#include "app/AboutBox.h"
#include "shell/AppPaths.h"
#include "app/HeaderReporter.h"
#include "shell/IniSettings.h"
#include "app/ShellState.h"
#include "app/UserDialogs.h"
#include "data/CalReport.h"
#include "data/ExportText.h"
#include "data/Layouts.h"
#include "data/ParamFile.h"
#include "data/ReadBackup.h"
#include "data/RepairRanges.h"
#include "data/SessionLog.h"
#include "data/WriteCheck.h"
#include "pages/GridDialog.h"
#include "qmcal/Version.h"
#include "widgets/CMSFlexGrid.h"
#include "widgets/DialogTemplate.h"

namespace qmcal {

namespace {

struct MenuItem {
    int popup;
    const char* text;  // a shortcut after the tab is the window's shortcut of the command
    Command command;
    bool separatorBefore = false;
};

constexpr std::array<const char*, 4> kPopups{QT_TRANSLATE_NOOP("MainDialog", "&File"),
                                             QT_TRANSLATE_NOOP("MainDialog", "&Program"),
                                             QT_TRANSLATE_NOOP("MainDialog", "&Setting"),
                                             QT_TRANSLATE_NOOP("MainDialog", "&Help")};

constexpr std::array<MenuItem, 14> kMenuItems{{
    {0, QT_TRANSLATE_NOOP("MainDialog", "&New(&N)\tCtrl+N"), Command::New},
    {0, QT_TRANSLATE_NOOP("MainDialog", "&Open(&O)...\tCtrl+O"), Command::Open},
    {0, QT_TRANSLATE_NOOP("MainDialog", "&Save(&S)\tCtrl+S"), Command::Save},
    {0, QT_TRANSLATE_NOOP("MainDialog", "Save &As(&A)..."), Command::SaveAs},
    {0, QT_TRANSLATE_NOOP("MainDialog", "Export"), Command::Export},
    {0, QT_TRANSLATE_NOOP("MainDialog", "Open &Data Folder"), Command::OpenDataFolder, true},
    {0, QT_TRANSLATE_NOOP("MainDialog", "&Report..."), Command::Report},
    {1, QT_TRANSLATE_NOOP("MainDialog", "Read"), Command::Read},
    {1, QT_TRANSLATE_NOOP("MainDialog", "Write"), Command::Write},
    {1, QT_TRANSLATE_NOOP("MainDialog", "Write Power"), Command::WritePower},
    {1, QT_TRANSLATE_NOOP("MainDialog", "Sql Fine"), Command::SqlFine},
    {1, QT_TRANSLATE_NOOP("MainDialog", "Write Rssi"), Command::WriteRssi},
    {2, QT_TRANSLATE_NOOP("MainDialog", "Port"), Command::Port},
    {3, QT_TRANSLATE_NOOP("MainDialog", "About..."), Command::About},
}};

// Their commands stay in the program; only the menu loses them.
constexpr std::array<Command, 3> kRemovedAtStart{Command::Write, Command::SqlFine, Command::WritePower};

// Enabled only when there is an image worth writing: from the radio or from a file.
constexpr std::array<Command, 5> kGuardedItems{Command::Write, Command::Save, Command::SaveAs,
                                               Command::WritePower, Command::WriteRssi};

// A tab's data names its page slot, so that the pages never depend on the shown captions.
constexpr int kSqlFineTab = -1;  // opens the dialog instead of a page

struct WorkbenchTab {
    const char* text;
    int slot;
};

// Inserted at 0..8 after a first "Sql Fine" at 0, so the strip ends with two "Sql Fine" items.
constexpr std::array<WorkbenchTab, 9> kTabs{{
    {QT_TRANSLATE_NOOP("MainDialog", "Power"), 0},
    {QT_TRANSLATE_NOOP("MainDialog", "Rx Tuning"), 1},
    {QT_TRANSLATE_NOOP("MainDialog", "Tx Mod"), 2},
    {QT_TRANSLATE_NOOP("MainDialog", "Tone Mod"), 4},
    {QT_TRANSLATE_NOOP("MainDialog", "Signal Mod"), 3},
    {QT_TRANSLATE_NOOP("MainDialog", "Rx Test"), 5},
    {QT_TRANSLATE_NOOP("MainDialog", "SQL"), 6},
    {QT_TRANSLATE_NOOP("MainDialog", "RSSI"), 7},
    {QT_TRANSLATE_NOOP("MainDialog", "Sql Fine"), kSqlFineTab},
}};

// A text of this window's tables in the language installed.
QString Translated(const char* text)
{
    return QCoreApplication::translate("MainDialog", text);
}

// The page rectangle starts here inside the tab control, below its strip.
constexpr QPoint kPageOrigin{20, 30};

const QString kTemplatePath = QStringLiteral(":/res/MainDialog.json");

FileDialogOptions ParamFileOptions(const ShellState& shell, const QString& initialName)
{
    return {QCoreApplication::translate("MainDialog", "Param Files (*.dat)"), QStringLiteral("dat"), initialName, shell.dataFolder};
}

// A refusal is the program's own and names the file; a system failure shows the system's
// text alone, as file errors always have.
QString WriteFailureText(const QString& path, const FileResult& result)
{
    return result.refused ? QDir::toNativeSeparators(path) + QStringLiteral(": ") + result.messageText
                          : result.messageText;
}

// For files the program makes beside the parameter files: the system's text alone would not
// say which of them failed.
QString OutputFailureText(const QString& path, const FileResult& result)
{
    return result.refused ? WriteFailureText(path, result)
                          : QStringLiteral("%1: %2").arg(CannotWriteText(path), result.messageText);
}

bool IsGuarded(int id)
{
    for (const Command command : kGuardedItems) {
        if (static_cast<int>(command) == id)
            return true;
    }
    return false;
}

} // namespace

// A command that overwrites the radio's calibration: what its question names and what it sends.
struct RadioWrite {
    const char* command;  // as the session log names it
    const char* what;
    const BandLayout* layout = nullptr;  // stores of its records; none: the region, block by block

    AddressRanges Sent() const
    {
        return layout != nullptr ? RecordRanges(*layout) : AddressRanges{{kCalibrationStart, kCalibrationEnd}};
    }
};

namespace {

constexpr RadioWrite kWrite{.command = "Write", .what = QT_TRANSLATE_NOOP("MainDialog", "the whole calibration region")};
constexpr RadioWrite kWritePower{.command = "Write Power", .what = QT_TRANSLATE_NOOP("MainDialog", "the Power values"), .layout = &kPowerLayout};
constexpr RadioWrite kWriteRssi{.command = "Write Rssi", .what = QT_TRANSLATE_NOOP("MainDialog", "the RSSI values"), .layout = &kRssiLayout};

// The points a verify message box names; the rest are counted.
constexpr int kVerifyLinesShown = 12;

QString ClockText(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

// "Power 12, RSSI 3 values differ from what was read at 10:41:07."
QString DifferencesText(const RangeDiff& diff, const QTime& readAt)
{
    const QString since = ClockText(readAt);
    if (diff.bytes == 0)
        return QCoreApplication::translate("MainDialog", "No value differs from what was read at %1.").arg(since);
    // The cells come page by page.
    QStringList pages;
    QString page;
    int count = 0;
    const auto endPage = [&] {
        if (count > 0)
            pages << QStringLiteral("%1 %2").arg(page).arg(count);
    };
    for (const CellChange& cell : diff.diff.cells) {
        if (cell.page != page) {
            endPage();
            page = cell.page;
            count = 0;
        }
        ++count;
    }
    endPage();
    const auto others = static_cast<int>(diff.diff.bytes.size());
    QString what = pages.join(QStringLiteral(", "));
    if (!what.isEmpty())
        what += QCoreApplication::translate("MainDialog", " values");
    if (others > 0) {
        what += (what.isEmpty() ? QString() : QCoreApplication::translate("MainDialog", " and "))
            + QCoreApplication::translate("MainDialog", "%1 bytes no page shows").arg(others);
    }
    return QCoreApplication::translate("MainDialog", "%1 differ from what was read at %2.").arg(what, since);
}

} // namespace

MainDialog::Seams MainDialog::WithDefaults(Seams seams, const ShellState& shell)
{
    if (!seams.portLister) {
        auto systemPorts = std::make_shared<SystemPortList>();
        seams.portLister = [&shell, systemPorts] { return ListPorts(shell.extraPorts, *systemPorts); };
    }
    if (!seams.portAccess.open) {
        seams.portAccess.open = &OpenPort;
        if (!seams.portAccess.diagnose)
            seams.portAccess.diagnose = [](const QString& name) { return DiagnosePort(name); };
    }
    if (!seams.openUrl)
        seams.openUrl = &QDesktopServices::openUrl;
    return seams;
}

MainDialog::MainDialog(AppContext& context, Seams seams)
    : m_context(context),
      m_radio(context.link, context.linkThread),
      m_seams(WithDefaults(std::move(seams), context.shell)),
      m_detector(context.link, m_seams.portLister, m_seams.portAccess.open, context.linkThread,
                 m_seams.portAccess.diagnose)
{
    const DialogTemplate dialog = LoadDialogTemplate(kTemplatePath);
    setWindowTitle(dialog.caption);
    // Caption, system menu and close box; no sizing frame, no help button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    m_menuBar = new QMenuBar(this);
    m_menuBar->setNativeMenuBar(false);
    BuildMenu();

    m_client = new QWidget(this);
    const DialogControls controls = BuildDialogControls(*m_client, dialog);
    m_portField = controls.Get<QLineEdit>(kPortFieldId);
    m_pttField = controls.Get<QLineEdit>(kPttFieldId);
    m_promptField = controls.Get<QLineEdit>(kPromptFieldId);
    m_fileNameField = controls.Get<QLineEdit>(kFileNameFieldId);
    m_etchedLine = controls.Widget(kEtchedLineId);
    m_tabControl = controls.Get<QTabBar>(kTabControlId);
    m_pagePlaceholder = controls.Widget(kPagePlaceholderId);

    const int menuHeight = m_menuBar->sizeHint().height();
    const QSize clientSize = DialogUnitsToPixels(dialog.size, DialogFont(dialog));
    m_menuBar->setGeometry(0, 0, clientSize.width(), menuHeight);
    m_client->setGeometry(0, menuHeight, clientSize.width(), clientSize.height());

    if (!m_context.shell.workbench) {
        for (const Command command : kRemovedAtStart)
            RemoveMenuItem(command);
    }

    // A port or file name or a message too long for its field can still be read whole.
    for (QLineEdit* field : {m_portField, m_promptField, m_fileNameField})
        connect(field, &QLineEdit::textChanged, field, &QWidget::setToolTip);
    // A tool tip names the file a Save wrote, until the Prompt says something else.
    connect(m_promptField, &QLineEdit::textChanged, m_promptField, [this] { m_promptField->setToolTip(QString()); });

    m_context.reporter.Publish(this, m_promptField, m_pttField);
    m_portField->setText(m_context.link.CurrentPortName());
    connect(&m_detector, &PortDetector::PortFound, this, &MainDialog::OnPortFound);

    const QSize placeholder = m_pagePlaceholder->size();
    const QRect pageRect(kPageOrigin, QPoint(placeholder.width() - 1, placeholder.height() - 1));

    m_tabControl->insertTab(0, Translated(kTabs.back().text));
    m_tabControl->setTabData(0, kSqlFineTab);
    for (std::size_t i = 0; i < kTabs.size(); ++i) {
        const int index = m_tabControl->insertTab(static_cast<int>(i), Translated(kTabs.at(i).text));
        m_tabControl->setTabData(index, kTabs.at(i).slot);
    }
    CreatePages(pageRect);
    if (QWidget* first = Page(0))
        first->show();
    m_tabControl->setCurrentIndex(0);

    // Only the header shows: the window ends just above the etched line.
    if (m_context.shell.workbench)
        EnterWorkbench(pageRect);
    else
        setFixedSize(clientSize.width(), menuHeight + m_etchedLine->geometry().top() - 1);

    OnNew();
    m_detector.StartPortDetection();
}

MainDialog::~MainDialog()
{
    m_detector.StopPortDetection();
    DestroyPages();
}

void MainDialog::BuildMenu()
{
    std::array<QMenu*, kPopups.size()> popups{};
    for (std::size_t i = 0; i < kPopups.size(); ++i) {
        popups.at(i) = m_menuBar->addMenu(Translated(kPopups.at(i)));
        QMenu* popup = popups.at(i);
        connect(popup, &QMenu::aboutToShow, this, [this, popup] { UpdatePopup(*popup); });
    }
    for (const MenuItem& item : kMenuItems) {
        QMenu* popup = popups.at(static_cast<std::size_t>(item.popup));
        if (item.separatorBefore)
            popup->addSeparator();
        QAction* action = popup->addAction(Translated(item.text));
        action->setData(static_cast<int>(item.command));
        const Command command = item.command;
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
        // The key from the text as written: a translation may not change it.
        const QString text = QString::fromUtf8(item.text);
        if (const auto tab = text.indexOf(QLatin1Char('\t')); tab >= 0) {
            auto* shortcut = new QShortcut(QKeySequence(text.mid(tab + 1)), this);
            connect(shortcut, &QShortcut::activated, this, [this, command] { RunShortcut(command); });
        }
    }
}

void MainDialog::RunShortcut(Command command)
{
    // The key does what the menu item does, and nothing while the item is greyed or gone.
    if (Action(command) == nullptr || (IsGuarded(static_cast<int>(command)) && !GuardedItemsEnabled()))
        return;
    RunCommand(command);
}

QAction* MainDialog::Action(Command command) const
{
    for (QAction* top : m_menuBar->actions()) {
        for (QAction* action : top->menu()->actions()) {
            if (action->data().toInt() == static_cast<int>(command))
                return action;
        }
    }
    return nullptr;
}

QMenu* MainDialog::Popup(int index) const
{
    const QList<QAction*> tops = m_menuBar->actions();
    return index >= 0 && index < tops.size() ? tops.at(index)->menu() : nullptr;
}

void MainDialog::RemoveMenuItem(Command command)
{
    if (QAction* action = Action(command)) {
        for (QAction* top : m_menuBar->actions())
            top->menu()->removeAction(action);
        action->deleteLater();
    }
}

bool MainDialog::GuardedItemsEnabled() const
{
    return m_context.shell.imageFromRadio || !m_context.shell.currentFileName.isEmpty();
}

void MainDialog::UpdatePopup(QMenu& popup)
{
    // Items without an update handler keep whatever state they have.
    for (QAction* action : popup.actions()) {
        if (IsGuarded(action->data().toInt()))
            action->setEnabled(GuardedItemsEnabled());
    }
}

void MainDialog::CreatePages(const QRect& pageRect)
{
    for (int slot = 0; slot < kPageSlotCount; ++slot) {
        PageSlot made = m_seams.pageFactory ? m_seams.pageFactory(slot, m_context, m_tabControl) : PageSlot{};
        if (made.page) {
            made.page->setParent(m_tabControl);
            made.page->setGeometry(pageRect);
            made.page->hide();
        }
        m_slots.at(static_cast<std::size_t>(slot)) = std::move(made);
    }
}

QWidget* MainDialog::Page(int slot) const
{
    return m_slots.at(static_cast<std::size_t>(slot)).page.get();
}

void MainDialog::DestroyPages()
{
    for (PageSlot& slot : m_slots)
        slot = PageSlot{};
}

void MainDialog::done(int result)
{
    for (PageSlot& slot : m_slots) {
        if (slot.page && slot.saveGrid)
            slot.saveGrid();
    }
    DestroyPages();
    // Closing must not leave the radio transmitting or in a receive test. Only the workbench
    // can switch one on, so without it nothing is ever sent here.
    if (m_radio.ActiveCommand() != 0)
        m_radio.EndActiveCommandOnClose();
    m_detector.StopPortDetection();
    QDialog::done(result);
}

void MainDialog::keyPressEvent(QKeyEvent* event)
{
    // Neither Enter nor Esc may close the window; it closes by its close box only.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void MainDialog::RunCommand(Command command)
{
    switch (command) {
    case Command::New: OnNew(); break;
    case Command::Open: OnOpen(); break;
    case Command::Save: OnSave(); break;
    case Command::SaveAs: OnSaveAs(); break;
    case Command::Export: OnExport(); break;
    case Command::Report: OnReport(); break;
    case Command::Read: OnRead(); break;
    case Command::Write: OnWrite(); break;
    case Command::WritePower: OnWritePower(); break;
    case Command::SqlFine: OnSqlFine(); break;
    case Command::WriteRssi: OnWriteRssi(); break;
    case Command::Port: OnPort(); break;
    case Command::About: OnAbout(); break;
    case Command::OpenDataFolder: OnOpenDataFolder(); break;
    }
}

void MainDialog::ReplaceImage()
{
    for (PageSlot& slot : m_slots) {
        if (slot.page && slot.loadGrid)
            slot.loadGrid();
    }
}

void MainDialog::ShowFileName(const QString& path)
{
    m_context.shell.currentFileName = path;
    m_fileNameField->setText(path);
}

void MainDialog::LogOutcome(const QString& command, const QString& file, const QString& result) const
{
    m_context.log.Append({command, m_radio.CurrentPortName(), file, result});
}

void MainDialog::OnNew()
{
    // A Default.dat that is not whole counts as missing, which says nothing; one line on
    // standard error tells the installer why every value came out as the repair's.
    const QString& defaultFile = m_context.shell.defaultFile;
    const FileResult loaded = NewImage(m_context.image, defaultFile);
    if (loaded.refused || (loaded.ok && !loaded.messageText.isEmpty()))
        PrintLocationProblem(QDir::toNativeSeparators(defaultFile) + QStringLiteral(": ") + loaded.messageText);
    LogOutcome(QStringLiteral("New"), defaultFile,
               loaded.ok ? QString::fromLatin1(kSessionDoneText) : QStringLiteral("No Default.dat: the image starts from zeros"));
    RepairRanges(m_context.image);
    m_context.shell.imageFromRadio = false;
    ShowFileName(QString());
    m_promptField->clear();
    ReplaceImage();
}

void MainDialog::OnOpen()
{
    const QString path = m_context.dialogs.OpenFileName(this, ParamFileOptions(m_context.shell, QString()));
    if (!path.isEmpty())
        OpenFile(path);
}

void MainDialog::OpenFile(const QString& path)
{
    const FileResult result = OpenImageFile(m_context.image, path);
    LogOutcome(QStringLiteral("Open"), path, SessionResultText(result));
    if (!result.ok) {
        // The described text stays first; which file it was follows.
        m_context.dialogs.Message(this, QStringLiteral("%1\n%2").arg(result.messageText, QDir::toNativeSeparators(path)));
        return;
    }
    RepairRanges(m_context.image);
    ShowFileName(path);
    ReplaceImage();
    // A longer file: what was left out is said where the outcome of commands shows.
    if (!result.messageText.isEmpty())
        m_context.reporter.ShowPrompt(result.messageText);
}

void MainDialog::OnSave()
{
    ClearBeforeSave(m_context.image);
    if (m_context.shell.currentFileName.isEmpty()) {
        SaveAsAfterClearing();
        return;
    }
    const FileResult result = SaveImageFile(m_context.image, m_context.shell.currentFileName);
    LogOutcome(QStringLiteral("Save"), m_context.shell.currentFileName, SessionResultText(result));
    if (!result.ok) {
        m_context.dialogs.Message(this, WriteFailureText(m_context.shell.currentFileName, result));
        return;
    }
    ShowWritten(QCoreApplication::translate("MainDialog", "Saved"), m_context.shell.currentFileName);
}

void MainDialog::OnSaveAs()
{
    ClearBeforeSave(m_context.image);
    SaveAsAfterClearing();
}

void MainDialog::SaveAsAfterClearing()
{
    const QString path =
        m_context.dialogs.SaveFileName(this, ParamFileOptions(m_context.shell, QStringLiteral("Param")));
    if (path.isEmpty())
        return;
    const FileResult result = SaveImageFileAs(m_context.image, path);
    LogOutcome(QStringLiteral("Save As"), path, SessionResultText(result));
    if (!result.ok) {
        m_context.dialogs.Message(this, WriteFailureText(path, result));
        return;
    }
    ShowFileName(path);
    ShowWritten(QCoreApplication::translate("MainDialog", "Saved"), path);
}

void MainDialog::OnExport()
{
    // The clearing stands even when the dialog is cancelled.
    ClearBeforeSave(m_context.image);
    const FileDialogOptions options{QCoreApplication::translate("MainDialog", "Data Files (*.txt)"), QStringLiteral("txt"),
                                    QStringLiteral("Param"), m_context.shell.dataFolder};
    const QString path = m_context.dialogs.SaveFileName(this, options);
    if (path.isEmpty())
        return;
    const FileResult result = ExportText(m_context.image, path);
    LogOutcome(QStringLiteral("Export"), path, SessionResultText(result));
    // Said, not silent: a technician would take the missing file for a written one.
    if (!result.ok) {
        m_context.dialogs.Message(this, OutputFailureText(path, result));
        return;
    }
    ShowWritten(QCoreApplication::translate("MainDialog", "Exported"), path);
}

void MainDialog::ShowWritten(const QString& verb, const QString& path)
{
    m_context.reporter.ShowPrompt(QStringLiteral("%1 %2").arg(verb, QFileInfo(path).fileName()));
    m_promptField->setToolTip(QDir::toNativeSeparators(path));
}

void MainDialog::OnReport()
{
    const FileDialogOptions options{QCoreApplication::translate("MainDialog", "Report (*.html);;Spreadsheet (*.csv)"), QStringLiteral("html"), QString(),
                                    m_context.shell.dataFolder};
    const QString path = m_context.dialogs.SaveFileName(this, options);
    if (path.isEmpty())
        return;
    const ShellState& shell = m_context.shell;
    const QString source = shell.imageFromRadio             ? shell.radioSource
                           : shell.currentFileName.isEmpty() ? shell.defaultFile
                                                             : shell.currentFileName;
    const ReportHeader header{source, ImageModel(m_context.image), QDate::currentDate().toString(Qt::ISODate),
                              QStringLiteral("qmcal %1").arg(QLatin1String(kVersion))};
    const FileResult result = WriteReport(path, header, ReportValues(m_context.image, m_context.image.ReferenceArea()));
    LogOutcome(QStringLiteral("Report"), path, SessionResultText(result));
    if (!result.ok) {
        m_context.dialogs.Message(this, OutputFailureText(path, result));
        return;
    }
    ShowWritten(QCoreApplication::translate("MainDialog", "Saved"), path);
}

void MainDialog::OnRead()
{
    m_portField->setFocus();
    repaint();
    QString port;
    const bool read = m_radio.Run(
        RadioRunner::Wait::Transfer,
        [&port](RadioLink& link) {
            port = link.CurrentPortName();
            return link.ReadAll(kCalibrationStart, kCalibrationEnd);
        }).value_or(false);
    m_radio.LogOutcome(QStringLiteral("Read"));
    if (!read)
        return;
    auto asRead = std::make_unique<SessionRead>();
    asRead->bytes = m_context.image.ParamArea();
    asRead->at = QTime::currentTime();
    asRead->port = port;
    m_lastRead = std::move(asRead);
    RepairRanges(m_context.image);
    // The image now belongs to no file: a Save must not put this radio's data into the file
    // of another one, so it asks for a name.
    m_context.shell.imageFromRadio = true;
    ShowFileName(QString());
    const QString readTime = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    m_context.shell.radioSource = QCoreApplication::translate("MainDialog", "read from the radio on %1 at %2").arg(port, readTime);
    ReplaceImage();
    // A copy in DATA/backup; one that cannot be written does not spoil the Read.
    const FileResult kept = KeepReadBackup(m_context.image, m_context.shell.dataFolder);
    LogOutcome(QStringLiteral("Backup"), BackupFolder(m_context.shell.dataFolder),
               kept.ok ? QStringLiteral("backup written") : kept.messageText);
    if (!kept.ok)
        SayBackupFailed(kept.messageText);
}

void MainDialog::SayBackupFailed(const QString& text)
{
    PrintLocationProblem(text);
    // Without a home folder every Read would say the same again.
    if (m_context.shell.dataFolder.isEmpty()) {
        if (m_noFolderBackupSaid)
            return;
        m_noFolderBackupSaid = true;
    }
    m_context.dialogs.Message(this, text);
}

void MainDialog::OnWrite()
{
    WriteRadio(kWrite);
}

void MainDialog::OnWritePower()
{
    WriteRadio(kWritePower);
}

std::unique_ptr<ParamImage> MainDialog::BytesToSend(const RadioWrite& write) const
{
    auto sent = std::make_unique<ParamImage>();
    sent->IdBlock() = m_context.image.IdBlock();
    sent->ParamArea() = m_context.image.ParamArea();
    if (write.layout == nullptr) {
        ClearBeforeSave(*sent);
        // Write ends with zeros over the radio's Sql Fine bytes; the image keeps its own.
        std::fill(sent->ParamArea().begin() + kSqlFineAreaStart, sent->ParamArea().begin() + kSqlFineAreaEnd, 0);
    }
    return sent;
}

QString MainDialog::WriteQuestion(const RadioWrite& write, const QString& port, const ParamImage& toSend) const
{
    const ShellState& shell = m_context.shell;
    QString source;
    if (!shell.currentFileName.isEmpty())
        source = QDir::toNativeSeparators(shell.currentFileName);
    else if (shell.imageFromRadio && m_lastRead)
        source = QCoreApplication::translate("MainDialog", "the data read from the radio at %1").arg(ClockText(m_lastRead->at));
    else
        source = QCoreApplication::translate("MainDialog", "the image New loaded");

    QString known;
    if (!m_lastRead)
        known = QCoreApplication::translate("MainDialog", "The radio's present values are unknown: it was not read since the program started.");
    else if (m_lastRead->port != port)
        known = QCoreApplication::translate("MainDialog", "The radio's present values are unknown: the last Read was on %1.").arg(m_lastRead->port);
    else
        known = DifferencesText(DiffRanges(toSend, m_lastRead->bytes, write.Sent()), m_lastRead->at);

    return QCoreApplication::translate("MainDialog", "Write %1 into the radio on %2?\n\nFrom: %3\n%4")
        .arg(QCoreApplication::translate("MainDialog", write.what), port, source, known);
}

void MainDialog::WriteRadio(const RadioWrite& write)
{
    struct PortState {
        bool open = false;
        QString name;
    };
    const PortState port = m_radio.Run(
        RadioRunner::Wait::Exchange,
        [](RadioLink& link) { return PortState{link.PortIsOpen(), link.CurrentPortName()}; }).value_or(PortState{});
    // Without a port nothing can be overwritten: the command says so itself, as it always has.
    const QString command = QLatin1String(write.command);
    if (port.open && !m_context.dialogs.Ask(this, WriteQuestion(write, port.name, *BytesToSend(write)))) {
        LogOutcome(command, m_context.shell.currentFileName, QStringLiteral("cancelled"));
        return;
    }

    if (write.layout == nullptr) {
        m_portField->setFocus();
        repaint();
        ClearBeforeSave(m_context.image);
    }
    const std::unique_ptr<ParamImage> sent = BytesToSend(write);
    enum class Outcome { NotSent, Failed, Written };
    const Outcome outcome = m_radio.Run(
        RadioRunner::Wait::Transfer,
        [&write, &port](RadioLink& link) {
            // A port found since the question was left out: nothing goes unasked.
            if (!port.open && link.PortIsOpen())
                return Outcome::NotSent;
            const bool written = write.layout == nullptr
                ? link.WriteAll(kCalibrationStart, kCalibrationEnd)
                : link.StoreRanges(*write.layout, 0, write.layout->SlotCount()) == ExchangeResult::Ok;
            return written ? Outcome::Written : Outcome::Failed;
        }).value_or(Outcome::Failed);
    if (outcome == Outcome::NotSent) {
        WriteRadio(write);
        return;
    }
    m_radio.LogOutcome(command, m_context.shell.currentFileName);
    if (outcome == Outcome::Written)
        VerifyWritten(write, *sent);
}

void MainDialog::VerifyWritten(const RadioWrite& write, const ParamImage& sent)
{
    // The command's own success text ("Write success!", "Complete") stays, with the verdict after it.
    const QString written = m_promptField->text();
    const AddressRanges ranges = write.Sent();
    auto back = std::make_unique<AreaBytes>();
    AreaBytes& area = *back;
    const bool read = m_radio.Run(
        RadioRunner::Wait::Transfer,
        [runs = BlockRuns(ranges), &area](RadioLink& link) {
            for (const auto& [start, end] : runs) {
                if (!link.ReadBack(static_cast<std::uint16_t>(start), static_cast<std::uint16_t>(end), area))
                    return false;
            }
            return true;
        }).value_or(false);
    const QString failed = written + QCoreApplication::translate("MainDialog", " Verify failed");
    const QString logged = QLatin1String(write.command) + QStringLiteral(" verify");
    if (!read) {
        const QString reason = m_promptField->text();
        m_context.reporter.ShowPrompt(failed);
        const QString text = VerifyNotReadText(reason).trimmed();
        LogOutcome(logged, m_context.shell.currentFileName, text);
        m_context.dialogs.Message(this, text);
        return;
    }
    const RangeDiff check = DiffRanges(sent, area, ranges);
    if (check.bytes == 0) {
        m_context.reporter.ShowPrompt(written);
        LogOutcome(logged, m_context.shell.currentFileName, QStringLiteral("Verified"));
        return;
    }
    m_context.reporter.ShowPrompt(failed);
    const QString text = VerifyFailedText(check, kVerifyLinesShown).trimmed();
    LogOutcome(logged, m_context.shell.currentFileName, text.section(QLatin1Char('\n'), 0, 0));
    m_context.dialogs.Message(this, text);
}

void MainDialog::OnSqlFine()
{
    ShowSqlFineDialog(m_context, this);
}

// ---- workbench mode ---------------------------------------------------------------------------

namespace {

// The page slots by the caption of their page.
constexpr std::array<const char*, kPageSlotCount> kSlotCaptions{
    QT_TRANSLATE_NOOP("MainDialog", "Power"), QT_TRANSLATE_NOOP("MainDialog", "Rx Tuning"),
    QT_TRANSLATE_NOOP("MainDialog", "Tx Mod"), QT_TRANSLATE_NOOP("MainDialog", "Signal Mod"),
    QT_TRANSLATE_NOOP("MainDialog", "Tone Mod"), QT_TRANSLATE_NOOP("MainDialog", "Rx Test"),
    QT_TRANSLATE_NOOP("MainDialog", "SQL"), QT_TRANSLATE_NOOP("MainDialog", "RSSI")};

} // namespace

void MainDialog::EnterWorkbench(const QRect& pageRect)
{
    // A page keeps the size of its own template where that is larger than the page rectangle
    // (the two use different fonts); the tab control and the window grow to hold it.
    QRect used = pageRect;
    for (int slot = 0; slot < kPageSlotCount; ++slot) {
        if (QWidget* page = Page(slot)) {
            page->resize(pageRect.size().expandedTo(page->sizeHint()));
            used |= page->geometry();
        }
    }
    m_tabControl->resize(m_tabControl->size().expandedTo(QSize(used.right() + 1, used.bottom() + 1)));
    // A screen reader sees only the tabs of a tab bar, never its children: the pages move, in
    // place, into an area of their own that it reaches.
    auto* pageArea = new QWidget(m_client);
    pageArea->setGeometry(used.translated(m_tabControl->pos()));
    for (int slot = 0; slot < kPageSlotCount; ++slot) {
        if (QWidget* page = Page(slot)) {
            const bool shown = page->isVisibleTo(m_tabControl);
            page->setParent(pageArea);
            page->move(page->pos() - used.topLeft());
            page->setAccessibleName(Translated(kSlotCaptions.at(static_cast<std::size_t>(slot))));
            page->setVisible(shown);
        }
    }
    pageArea->show();
    const QRect tabs = m_tabControl->geometry();
    m_client->resize(m_client->size().expandedTo(QSize(tabs.right() + 1, tabs.bottom() + 1)));
    m_menuBar->resize(m_client->width(), m_menuBar->height());
    setFixedSize(m_client->width(), m_client->geometry().bottom() + 1);
    connect(m_tabControl, &QTabBar::currentChanged, this, &MainDialog::ShowPageOfTab);
}

void MainDialog::ShowPageOfTab(int index)
{
    const QVariant tabSlot = m_tabControl->tabData(index);
    if (!tabSlot.isValid())
        return;
    const int slot = tabSlot.toInt();
    if (slot == kSqlFineTab) {
        // The strip goes back to the page that stays shown under the dialog.
        {
            const QSignalBlocker blocker(m_tabControl);
            m_tabControl->setCurrentIndex(m_workbenchTab);
        }
        RunCommand(Command::SqlFine);
        return;
    }
    for (int other = 0; other < kPageSlotCount; ++other) {
        if (QWidget* page = Page(other); page != nullptr && other != slot)
            page->hide();
    }
    if (QWidget* page = Page(slot)) {
        page->show();
        // Else the focus stays in the Port field, with its text selected.
        if (auto* gridPage = qobject_cast<GridDialog*>(page))
            gridPage->Grid()->setFocus(Qt::TabFocusReason);
    }
    m_workbenchTab = index;
}

void MainDialog::OnWriteRssi()
{
    WriteRadio(kWriteRssi);
}

void MainDialog::OnPort()
{
    // Hands the port over from the search to the user, for good.
    m_detector.StopPortDetection();
    PortAccess access = m_seams.portAccess;
    access.linkThread = m_context.linkThread;
    PortDialog dialog(m_context.link, m_context.reporter, PortDialog::ButtonNames(m_seams.portLister()),
                      [this](const QString& name) { SavePortName(name); }, std::move(access), this);
    if (m_context.dialogs.RunModal(dialog) == QDialog::Accepted) {
        m_portField->setText(m_context.link.CurrentPortName());
        LogOutcome(QStringLiteral("Port"), {}, QStringLiteral("chosen in Port Setting"));
    }
}

void MainDialog::SavePortName(const QString& name)
{
    ShellState& shell = m_context.shell;
    if (m_context.settings.Write(QStringLiteral("Setup"), QStringLiteral("COM"), name) != 0
        || shell.settingsFailureSaid)
        return;
    shell.settingsFailureSaid = true;
    const QString text = CannotWriteText(m_context.settings.FilePath());
    PrintLocationProblem(text);
    m_context.reporter.ShowPrompt(text);
}

void MainDialog::OnAbout()
{
    AboutBox about(this);
    m_context.dialogs.RunModal(about);
}

void MainDialog::OnOpenDataFolder()
{
    const QString folder = m_context.shell.dataFolder;
    if (folder.isEmpty()) {
        m_context.dialogs.Message(this, QCoreApplication::translate("MainDialog", "No data folder to open: there is no home folder"));
        return;
    }
    if (!m_seams.openUrl(QUrl::fromLocalFile(folder)))
        m_context.dialogs.Message(this, QCoreApplication::translate("MainDialog", "Cannot open the folder %1").arg(QDir::toNativeSeparators(folder)));
}

void MainDialog::OnPortFound(const QString& name)
{
    m_portField->setText(name);
    LogOutcome(QStringLiteral("Port"), {}, QStringLiteral("found by the search"));
}

} // namespace qmcal
