#include "app/MainDialog.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabBar>

#include "app/AboutBox.h"
#include "shell/AppPaths.h"
#include "app/HeaderReporter.h"
#include "shell/IniSettings.h"
#include "app/ShellState.h"
#include "app/UserDialogs.h"
#include "data/ExportText.h"
#include "data/Layouts.h"
#include "data/ParamFile.h"
#include "data/ReadBackup.h"
#include "data/RepairRanges.h"
#include "pages/GridDialog.h"
#include "widgets/CMSFlexGrid.h"
#include "widgets/DialogTemplate.h"

namespace qmcal {

namespace {

struct MenuItem {
    int popup;
    const char* text;  // a shortcut after the tab is the window's shortcut of the command
    Command command;
};

constexpr std::array<const char*, 4> kPopups{"&File", "&Program", "&Setting", "&Help"};

constexpr std::array<MenuItem, 12> kMenuItems{{
    {0, "&New(&N)\tCtrl+N", Command::New},
    {0, "&Open(&O)...\tCtrl+O", Command::Open},
    {0, "&Save(&S)\tCtrl+S", Command::Save},
    {0, "Save &As(&A)...", Command::SaveAs},
    {0, "Export", Command::Export},
    {1, "Read", Command::Read},
    {1, "Write", Command::Write},
    {1, "Write Power", Command::WritePower},
    {1, "Sql Fine", Command::SqlFine},
    {1, "Write Rssi", Command::WriteRssi},
    {2, "Port", Command::Port},
    {3, "About...", Command::About},
}};

// Their commands stay in the program; only the menu loses them.
constexpr std::array<Command, 3> kRemovedAtStart{Command::Write, Command::SqlFine, Command::WritePower};

// Enabled only when there is an image worth writing: from the radio or from a file.
constexpr std::array<Command, 5> kGuardedItems{Command::Write, Command::Save, Command::SaveAs,
                                               Command::WritePower, Command::WriteRssi};

// Inserted at 0..8 after a first "Sql Fine" at 0, so the strip ends with two "Sql Fine" items.
constexpr std::array<const char*, 9> kTabTexts{"Power", "Rx Tuning", "Tx Mod", "Tone Mod", "Signal Mod",
                                                "Rx Test", "SQL", "RSSI", "Sql Fine"};

// The page rectangle starts here inside the tab control, below its strip.
constexpr QPoint kPageOrigin{20, 30};

const QString kTemplatePath = QStringLiteral(":/res/MainDialog.json");

FileDialogOptions ParamFileOptions(const ShellState& shell, const QString& initialName)
{
    return {QStringLiteral("Param Files (*.dat)"), QStringLiteral("dat"), initialName, shell.dataFolder};
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

MainDialog::Seams MainDialog::WithDefaults(Seams seams, const ShellState& shell)
{
    if (!seams.portLister) {
        auto systemPorts = std::make_shared<SystemPortList>();
        seams.portLister = [&shell, systemPorts] { return ListPorts(shell.extraPorts, *systemPorts); };
    }
    if (!seams.portAccess.open)
        seams.portAccess.open = &OpenPort;
    return seams;
}

MainDialog::MainDialog(AppContext& context, Seams seams)
    : m_context(context),
      m_radio(context.link, context.linkThread),
      m_seams(WithDefaults(std::move(seams), context.shell)),
      m_detector(context.link, m_seams.portLister, m_seams.portAccess.open, context.linkThread)
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

    // A port or file name too long for its field can still be read whole.
    for (QLineEdit* field : {m_portField, m_fileNameField})
        connect(field, &QLineEdit::textChanged, field, &QWidget::setToolTip);

    m_context.reporter.Publish(this, m_promptField, m_pttField);
    m_portField->setText(m_context.link.CurrentPortName());
    connect(&m_detector, &PortDetector::PortFound, this, &MainDialog::OnPortFound);

    const QSize placeholder = m_pagePlaceholder->size();
    const QRect pageRect(kPageOrigin, QPoint(placeholder.width() - 1, placeholder.height() - 1));

    m_tabControl->insertTab(0, QStringLiteral("Sql Fine"));
    for (std::size_t i = 0; i < kTabTexts.size(); ++i)
        m_tabControl->insertTab(static_cast<int>(i), QLatin1String(kTabTexts.at(i)));
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
        popups.at(i) = m_menuBar->addMenu(QLatin1String(kPopups.at(i)));
        QMenu* popup = popups.at(i);
        connect(popup, &QMenu::aboutToShow, this, [this, popup] { UpdatePopup(*popup); });
    }
    for (const MenuItem& item : kMenuItems) {
        QAction* action = popups.at(static_cast<std::size_t>(item.popup))->addAction(QString::fromUtf8(item.text));
        action->setData(static_cast<int>(item.command));
        const Command command = item.command;
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
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
    case Command::Read: OnRead(); break;
    case Command::Write: OnWrite(); break;
    case Command::WritePower: OnWritePower(); break;
    case Command::SqlFine: OnSqlFine(); break;
    case Command::WriteRssi: OnWriteRssi(); break;
    case Command::Port: OnPort(); break;
    case Command::About: OnAbout(); break;
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

void MainDialog::OnNew()
{
    NewImage(m_context.image, m_context.shell.defaultFile);
    RepairRanges(m_context.image);
    m_context.shell.imageFromRadio = false;
    ShowFileName(QString());
    m_promptField->clear();
    ReplaceImage();
}

void MainDialog::OnOpen()
{
    const QString path = m_context.dialogs.OpenFileName(this, ParamFileOptions(m_context.shell, QString()));
    if (path.isEmpty())
        return;
    const FileResult result = OpenImageFile(m_context.image, path);
    if (!result.ok) {
        m_context.dialogs.Message(this, result.messageText);
        return;
    }
    RepairRanges(m_context.image);
    ShowFileName(path);
    ReplaceImage();
}

void MainDialog::OnSave()
{
    ClearBeforeSave(m_context.image);
    if (m_context.shell.currentFileName.isEmpty()) {
        SaveAsAfterClearing();
        return;
    }
    const FileResult result = SaveImageFile(m_context.image, m_context.shell.currentFileName);
    if (!result.ok)
        m_context.dialogs.Message(this, result.messageText);
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
    if (!result.ok) {
        m_context.dialogs.Message(this, result.messageText);
        return;
    }
    ShowFileName(path);
}

void MainDialog::OnExport()
{
    // The clearing stands even when the dialog is cancelled.
    ClearBeforeSave(m_context.image);
    const FileDialogOptions options{QStringLiteral("Data Files (*.txt)"), QStringLiteral("txt"),
                                    QStringLiteral("Param"), m_context.shell.dataFolder};
    const QString path = m_context.dialogs.SaveFileName(this, options);
    if (path.isEmpty())
        return;
    // An export that cannot be written fails without a word, as it always has.
    ExportText(m_context.image, path);
}

void MainDialog::OnRead()
{
    m_portField->setFocus();
    repaint();
    if (!m_radio.ReadAll(kCalibrationStart, kCalibrationEnd))
        return;
    RepairRanges(m_context.image);
    // A copy in DATA/backup; one that cannot be written does not spoil the Read.
    if (const FileResult kept = KeepReadBackup(m_context.image, m_context.shell.dataFolder); !kept.ok)
        PrintLocationProblem(kept.messageText);
    // The file name stays, so a later Save writes the radio's data to the file open before.
    m_context.shell.imageFromRadio = true;
    ReplaceImage();
}

void MainDialog::OnWrite()
{
    m_portField->setFocus();
    repaint();
    ClearBeforeSave(m_context.image);
    m_radio.WriteAll(kCalibrationStart, kCalibrationEnd);
}

void MainDialog::OnWritePower()
{
    m_radio.StoreRanges(kPowerLayout, 0, kPowerLayout.SlotCount());
}

void MainDialog::OnSqlFine()
{
    ShowSqlFineDialog(m_context, this);
}

// ---- workbench mode ---------------------------------------------------------------------------

namespace {

// The page slots by the caption of their page.
constexpr std::array<const char*, kPageSlotCount> kSlotCaptions{
    "Power", "Rx Tuning", "Tx Mod", "Signal Mod", "Tone Mod", "Rx Test", "SQL", "RSSI"};

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
    const QRect tabs = m_tabControl->geometry();
    m_client->resize(m_client->size().expandedTo(QSize(tabs.right() + 1, tabs.bottom() + 1)));
    m_menuBar->resize(m_client->width(), m_menuBar->height());
    setFixedSize(m_client->width(), m_client->geometry().bottom() + 1);
    connect(m_tabControl, &QTabBar::currentChanged, this, &MainDialog::ShowPageOfTab);
}

void MainDialog::ShowPageOfTab(int index)
{
    const QString caption = m_tabControl->tabText(index);
    if (caption == QLatin1String("Sql Fine")) {
        // The strip goes back to the page that stays shown under the dialog.
        {
            const QSignalBlocker blocker(m_tabControl);
            m_tabControl->setCurrentIndex(m_workbenchTab);
        }
        RunCommand(Command::SqlFine);
        return;
    }
    for (int slot = 0; slot < kPageSlotCount; ++slot) {
        if (caption != QLatin1String(kSlotCaptions.at(static_cast<std::size_t>(slot))))
            continue;
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
}

void MainDialog::OnWriteRssi()
{
    m_radio.StoreRanges(kRssiLayout, 0, kRssiLayout.SlotCount());
}

void MainDialog::OnPort()
{
    // Hands the port over from the search to the user, for good.
    m_detector.StopPortDetection();
    PortAccess access = m_seams.portAccess;
    access.linkThread = m_context.linkThread;
    PortDialog dialog(m_context.link, m_context.reporter, PortDialog::ButtonNames(m_seams.portLister()),
                      [this](const QString& name) { SavePortName(name); }, std::move(access), this);
    if (m_context.dialogs.RunModal(dialog) == QDialog::Accepted)
        m_portField->setText(m_context.link.CurrentPortName());
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

void MainDialog::OnPortFound(const QString& name)
{
    m_portField->setText(name);
}

} // namespace qmcal
