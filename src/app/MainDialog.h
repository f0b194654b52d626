#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QDialog>
#include <QTime>

#include "app/AppContext.h"
#include "app/PageSlots.h"
#include "app/PortDialog.h"
#include "link/PortDetector.h"
#include "pages/RadioRunner.h"

class QAction;
class QUrl;
class QLineEdit;
class QMenu;
class QMenuBar;
class QTabBar;

namespace qmcal {

// Menu command ids, as the menu resource numbers them.
enum class Command {
    New = 32774,
    Open = 32776,
    Save = 32775,
    SaveAs = 32780,
    Export = 32782,
    Read = 32795,
    Write = 32796,
    WritePower = 32784,
    SqlFine = 32783,
    WriteRssi = 32785,
    Port = 32771,
    About = 32781,
    OpenDataFolder = 32800,  // ours, after the File popup's own items
    Report = 32801,
};

// Control ids of the main window's template.
constexpr int kPortFieldId = 1030;
constexpr int kFileNameFieldId = 1031;
constexpr int kPttFieldId = 1032;
constexpr int kPromptFieldId = 1033;
constexpr int kEtchedLineId = 1080;
constexpr int kTabControlId = 1097;
constexpr int kPagePlaceholderId = 1098;

using PageFactory = std::function<PageSlot(int slot, AppContext& context, QWidget* tabControl)>;

// How the main window reaches pages and ports; tests replace them.
struct MainDialogSeams {
    PageFactory pageFactory = &CreatePageSlot;
    PortLister portLister;  // empty: the command line's ports, then the system's (kept in a SystemPortList)
    PortAccess portAccess;
    std::function<bool(const QUrl&)> openUrl;  // empty: the desktop's (QDesktopServices)
};

struct RadioWrite;
struct RangeDiff;

// "Debug Parameter": the header fields, the menu and its commands. The calibration pages sit in
// a tab control below the etched line, outside the visible window.
class MainDialog : public QDialog {
    Q_OBJECT

public:
    using Seams = MainDialogSeams;

    // Runs the whole initialisation, including New and the start of port detection.
    explicit MainDialog(AppContext& context, Seams seams = {});
    ~MainDialog() override;

    // The command as the menu gives it; also reaches the commands whose items were removed.
    void RunCommand(Command command);
    // Open's work once a file is chosen; a file named on the command line takes this way too.
    void OpenFile(const QString& path);

    QMenuBar* MenuBar() const { return m_menuBar; }
    QAction* Action(Command command) const;  // nullptr once removed from the menu
    QMenu* Popup(int index) const;
    QLineEdit* PortField() const { return m_portField; }
    QLineEdit* PttField() const { return m_pttField; }
    QLineEdit* PromptField() const { return m_promptField; }
    QLineEdit* FileNameField() const { return m_fileNameField; }
    QTabBar* TabControl() const { return m_tabControl; }
    QWidget* Page(int slot) const;
    PortDetector& Detector() { return m_detector; }

    // The window closes: the pages save their grids and go, detection stops.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    static Seams WithDefaults(Seams seams, const ShellState& shell);
    void BuildMenu();
    void RemoveMenuItem(Command command);
    // A menu item's shortcut key was pressed in the window.
    void RunShortcut(Command command);
    void UpdatePopup(QMenu& popup);
    bool GuardedItemsEnabled() const;
    void CreatePages(const QRect& pageRect);
    void DestroyPages();
    // New, Open or a successful Read replaced the image: every page reloads its grid.
    void ReplaceImage();
    void ShowFileName(const QString& path);
    // The session log's line of a command that has ended: the port in use, the file it worked
    // on and the text the user was shown ("done" where nothing was shown). A question the
    // user answers with Cancel logs here too, with "cancelled" as its result.
    void LogOutcome(const QString& command, const QString& file, const QString& result) const;
    // "Saved A.dat" in the Prompt, the whole path in its tool tip.
    void ShowWritten(const QString& verb, const QString& path);

    void OnNew();
    void OnOpen();
    void OnSave();
    void OnSaveAs();
    void SaveAsAfterClearing();
    void OnExport();
    void OnReport();
    void OnRead();
    void OnWrite();
    void OnWritePower();
    void OnSqlFine();
    void OnWriteRssi();
    void OnPort();
    void OnAbout();
    void OnOpenDataFolder();
    // A backup that could not be kept is said in a box; no home folder only once a run.
    void SayBackupFailed(const QString& text);

    // Write, Write Power and Write Rssi: the question first, then the command's own frames,
    // then the read-back of what was sent.
    void WriteRadio(const RadioWrite& write);
    QString WriteQuestion(const RadioWrite& write, const QString& port, const ParamImage& toSend) const;
    // What write would send: the image, with the whole region's clearings where it sends them.
    std::unique_ptr<ParamImage> BytesToSend(const RadioWrite& write) const;
    void VerifyWritten(const RadioWrite& write, const ParamImage& sent);
    // Program.ini from the Port Setting dialog; a failed write is said once.
    void SavePortName(const QString& name);
    void OnPortFound(const QString& name);

    // --workbench: the whole window, each tab showing the page it names.
    void EnterWorkbench(const QRect& pageRect);
    void ShowPageOfTab(int index);

    AppContext& m_context;
    RadioRunner m_radio;  // the link's calls, on the link's thread
    Seams m_seams;
    std::array<PageSlot, kPageSlotCount> m_slots;
    QMenuBar* m_menuBar = nullptr;
    QWidget* m_client = nullptr;
    QLineEdit* m_promptField = nullptr;
    QLineEdit* m_fileNameField = nullptr;
    QWidget* m_etchedLine = nullptr;
    QLineEdit* m_portField = nullptr;
    QLineEdit* m_pttField = nullptr;
    QTabBar* m_tabControl = nullptr;
    QWidget* m_pagePlaceholder = nullptr;
    PortDetector m_detector;
    int m_workbenchTab = 0;  // the tab of the page shown in workbench mode

    // The last successful Read, as it came from the radio (before the range repair): what the
    // radio is known to hold.
    struct SessionRead {
        AreaBytes bytes{};
        QTime at;
        QString port;
    };
    std::unique_ptr<SessionRead> m_lastRead;
    bool m_noFolderBackupSaid = false;
};

} // namespace qmcal
