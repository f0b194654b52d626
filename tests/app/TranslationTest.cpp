// The window in another language: every text through the catalogue, the language from --lang or
// the locale, the texts as written where no catalogue applies.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QTabBar>
#include <QTimer>
#include <QTranslator>

#include "AppHarness.h"
#include "app/AboutBox.h"
#include "app/PortDialog.h"
#include "pages/SqlFineDialog.h"
#include "shell/Translations.h"

namespace qmcal::test {
namespace {

const QString kPrefix = QStringLiteral("@@");

// A translator installed for one test only.
class InstalledTranslator {
public:
    explicit InstalledTranslator(const QString& file)
    {
        m_loaded = m_translator.load(file);
        QCoreApplication::installTranslator(&m_translator);
    }
    ~InstalledTranslator() { QCoreApplication::removeTranslator(&m_translator); }
    InstalledTranslator(const InstalledTranslator&) = delete;
    InstalledTranslator& operator=(const InstalledTranslator&) = delete;
    bool Loaded() const { return m_loaded; }

private:
    QTranslator m_translator;
    bool m_loaded = false;
};

// The texts a reader sees on a widget: its captions, tabs and list items (numbers aside); the
// data fields (line edits) and the grid's cells are the image's, not the program's.
QStringList ShownTexts(const QWidget& widget)
{
    QStringList texts;
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        texts << label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
        texts << button->text();
    else if (const auto* group = qobject_cast<const QGroupBox*>(&widget))
        texts << group->title();
    else if (const auto* tabs = qobject_cast<const QTabBar*>(&widget)) {
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    } else if (const auto* list = qobject_cast<const QComboBox*>(&widget)) {
        static const QRegularExpression letters(QStringLiteral("[A-Za-z]"));
        for (int i = 0; i < list->count(); ++i) {
            if (list->itemText(i).contains(letters))
                texts << list->itemText(i);
        }
    }
    texts.removeAll(QString());
    return texts;
}

TEST(Translation, EveryTextOfTheWindowAndItsPagesGoesThroughTheCatalogue)
{
    const InstalledTranslator prefixed(QStringLiteral(QMCAL_PREFIXED_QM));
    ASSERT_TRUE(prefixed.Loaded());
    AppHarness h;
    h.shell.workbench = true;
    MainDialogSeams seams;  // the real pages
    seams.portLister = [] { return QStringList(); };
    seams.portAccess.open = h.ports.Opener();
    seams.portAccess.permissionDenied = [](const QString&) { return false; };
    const auto dialog = std::make_unique<MainDialog>(h.context, std::move(seams));
    dialog->show();

    QStringList plain;
    const QString refusedPort = QStringLiteral("ttyS4");  // a port's name is the system's, not a text
    const auto check = [&plain, &refusedPort](const QString& where, const QString& text) {
        if (!text.startsWith(kPrefix) && text != refusedPort)
            plain << where + QStringLiteral(": ") + text;
    };
    check(QStringLiteral("window title"), dialog->windowTitle());
    for (QAction* top : dialog->MenuBar()->actions()) {
        check(QStringLiteral("menu"), top->text());
        for (QAction* item : top->menu()->actions()) {
            if (!item->isSeparator())
                check(top->text(), item->text());
        }
    }
    // Every page, shown or behind its tab; controls the template hides are never seen.
    int walked = 0;
    const auto walk = [&](const QWidget& top) {
        if (!top.windowTitle().isEmpty())
            check(QStringLiteral("title"), top.windowTitle());
        for (const QWidget* widget : top.findChildren<QWidget*>()) {
            if (widget->isHidden() && !widget->inherits("qmcal::GridDialog"))
                continue;
            for (const QString& text : ShownTexts(*widget)) {
                check(QString::fromLatin1(widget->metaObject()->className()), text);
                ++walked;
            }
        }
    };
    walk(*dialog);
    EXPECT_GT(walked, 50);
    // The dialogs the menus and the last tab open, a port refused for lack of rights among them.
    AboutBox about(dialog.get());
    PortAccess access;
    access.open = h.ports.Opener();
    access.permissionDenied = [](const QString&) { return true; };
    access.owner = [](const QString& name) { return DeviceOwner{name, QStringLiteral("dialout"), 0660}; };
    access.linkThread = &h.linkThread;
    PortDialog port(h.link, h.reporter, PortDialog::ButtonNames({refusedPort}), [](const QString&) {}, std::move(access),
                    dialog.get());
    SqlFineDialog sqlFine(h.image, h.link, dialog.get());
    for (QDialog* opened : std::initializer_list<QDialog*>{&about, &port, &sqlFine}) {
        opened->show();
        walk(*opened);
        opened->hide();
    }
    EXPECT_TRUE(plain.isEmpty()) << plain.join(QLatin1Char('\n')).toStdString();

    // The tabs pick their pages by their data, whatever the captions read.
    QTabBar* tabs = dialog->TabControl();
    tabs->setCurrentIndex(3);  // Tone Mod, whose page is in slot 4
    ASSERT_NE(dialog->Page(4), nullptr);
    EXPECT_TRUE(dialog->Page(4)->isVisible());
    EXPECT_FALSE(dialog->Page(3)->isVisible());
    bool opened = false;
    QTimer::singleShot(0, [&opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    tabs->setCurrentIndex(tabs->count() - 1);  // Sql Fine opens its dialog
    EXPECT_TRUE(opened);
    EXPECT_EQ(tabs->currentIndex(), 3);
}

// The File popup's title and the wrong-model message, for each way the language is chosen.
TEST(Translation, LanguageFromTheOptionElseTheLocaleElseTheTextsAsWritten)
{
    struct Case {
        const char* locale;  // LC_ALL of qmcal-cli; in-process, the system's locale
        const char* lang;    // --lang, none when empty
        const char* fileMenu;
        const char* wrongModel;
        const char* qtCancel;  // Qt's own catalogue, for its dialogs' buttons
        const char* help;      // qmcal --help, whose texts are made once the language is known
    };
    const Case cases[] = {
        {"C", "", "&File", "文件不匹配", "Cancel", "Calibration tool for the QM6200 radio."},
        {"zh_CN.UTF-8", "", "文件(&F)", "文件不匹配", "取消", "QM6200 电台校准工具。"},
        {"en_US.UTF-8", "", "&File", "File does not match", "Cancel", "Calibration tool for the QM6200 radio."},
        {"zh_CN.UTF-8", "source", "&File", "文件不匹配", "Cancel", "Calibration tool for the QM6200 radio."},
        {"zh_CN.UTF-8", "xx", "&File", "文件不匹配", "Cancel", "Calibration tool for the QM6200 radio."},
        {"C", "zh_CN", "文件(&F)", "文件不匹配", "取消", "QM6200 电台校准工具。"},
        {"zh_CN.UTF-8", "en", "&File", "File does not match", "Cancel", "Calibration tool for the QM6200 radio."},
    };
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.dat"));
    ASSERT_TRUE(QFile(empty).open(QIODevice::WriteOnly));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " --lang " + c.lang);
        const QString lang = QString::fromUtf8(c.lang);
        {
            Translations translations;
            translations.Use(lang, QLocale(QString::fromLatin1(c.locale).section(QLatin1Char('.'), 0, 0)));
            AppHarness h;
            const auto dialog = h.MakeDialog();
            EXPECT_EQ(dialog->MenuBar()->actions().value(0)->text(), QString::fromUtf8(c.fileMenu));
            EXPECT_EQ(WrongModelText(), QString::fromUtf8(c.wrongModel));
            EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8(c.qtCancel));
        }
        // The program itself: the locale from the environment, --lang after the command word.
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(c.locale));
        env.insert(QStringLiteral("QMCAL_DATA_DIR"), dir.filePath(QStringLiteral("data")));
        cli.setProcessEnvironment(env);
        QStringList args{QStringLiteral("show"), empty, QStringLiteral("power"), QStringLiteral("--default"),
                         dir.filePath(QStringLiteral("none"))};
        if (!lang.isEmpty())
            args << QStringLiteral("--lang") << lang;
        cli.start(QStringLiteral(QMCAL_BIN_DIR "/qmcal-cli"), args);
        ASSERT_TRUE(cli.waitForFinished(30000));
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.wrongModel))) << err.toStdString();
        QProcess window;
        window.setProcessEnvironment(env);
        window.start(QStringLiteral(QMCAL_BIN_DIR "/qmcal"),
                     lang.isEmpty() ? QStringList{QStringLiteral("--help")}
                                    : QStringList{QStringLiteral("--help"), QStringLiteral("--lang"), lang});
        ASSERT_TRUE(window.waitForFinished(30000));
        const QString help = QString::fromUtf8(window.readAllStandardOutput());
        EXPECT_TRUE(help.contains(QString::fromUtf8(c.help))) << help.toStdString();
    }
    // Before the command word, too.
    QProcess cli;
    cli.start(QStringLiteral(QMCAL_BIN_DIR "/qmcal-cli"),
              {QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("show"), empty, QStringLiteral("power"),
               QStringLiteral("--default"), dir.filePath(QStringLiteral("none"))});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(cli.readAllStandardError()).contains(QStringLiteral("File does not match")));
}

} // namespace
} // namespace qmcal::test
