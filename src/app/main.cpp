// qmcal: the QM6200 calibration tool.

#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QIcon>
#include <QLoggingCategory>

#include "app/CalApp.h"
#include "data/FactoryImage.h"
#include "qmcal/Version.h"
#include "sim/PtyHost.h"
#include "shell/Translations.h"
#include "sim/UnitVariation.h"
#include "widgets/AccessibleFactory.h"
#include "widgets/DialogTemplate.h"

namespace {

using qmcal::kLangDescription;
using qmcal::kLangOption;
using qmcal::kLangValueName;

constexpr int kExitUsage = 2;

void PrintError(const QString& text)
{
    std::fputs(qPrintable(text), stderr);
}

// The language first, so that help and every message after it speak it; a mistaken option is
// still reported, in that language, by the full parse.
QString LanguageOf(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption lang{kLangOption, QString(), kLangValueName};
    parser.addOption(lang);
    static_cast<void>(parser.parse(arguments));
    return parser.value(lang);
}

// Qt's own message for a missing display is a bare abort; say what to do instead.
bool DisplayMissing()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

QString NoDisplayText()
{
    return QCoreApplication::translate(
        "qmcal", "qmcal: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set).\n");
}

// What to run instead, for the program named program.
QString WithoutDisplayText(const QString& program)
{
    return QCoreApplication::translate("qmcal", "Run it on a desktop, or on a virtual display:\n"
                                                "  xvfb-run -a %1 --simulate\n"
                                                "or with no screen at all:\n"
                                                "  QT_QPA_PLATFORM=offscreen %1 --simulate\n")
        .arg(program);
}

// Qt ends the process with abort() and advice to reinstall when its window system cannot
// start, e.g. on a DISPLAY whose server has gone. Installed only while the application object
// is made, so a fatal message here means just that: say so, and how to run without a display.
void WindowSystemMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
        return;
    }
    const char* variable = qEnvironmentVariableIsEmpty("DISPLAY") ? "WAYLAND_DISPLAY" : "DISPLAY";
    const QString display = qEnvironmentVariable(variable);
    // The application object is half made, yet holds the arguments and takes a catalogue.
    qmcal::Translations translations;
    QString program;
    if (QCoreApplication::instance() != nullptr) {
        translations.Use(LanguageOf(QCoreApplication::arguments()));
        program = QCoreApplication::arguments().value(0);
    }
    if (program.isEmpty())
        program = QStringLiteral("qmcal");
    if (display.isEmpty()) {
        PrintError(NoDisplayText());
    } else {
        PrintError(QCoreApplication::translate(
                       "qmcal", "qmcal: cannot open the display \"%1\" that %2 names (QT_LOGGING_RULES='qt.qpa.*=true' "
                                "says why).\n")
                       .arg(display, QLatin1String(variable)));
    }
    PrintError(WithoutDisplayText(program));
    std::fflush(stderr);
    std::_Exit(1);
}

// A radio simulated on a pseudo-terminal, answering at the line's real speed.
std::unique_ptr<qmcal::sim::PtyHost> StartSimulatedRadio(QString& path)
{
    qmcal::ParamImage factory;
    qmcal::FillFactoryImage(factory);
    qmcal::sim::RadioMemory memory = factory.ParamArea();
    qmcal::sim::VaryUnit(memory, 1);  // a unit whose values differ a little from Default.dat
    qmcal::sim::SimRadio radio(memory);
    radio.SetLogLimit(0);  // nobody here reads the frames back
    auto host = std::make_unique<qmcal::sim::PtyHost>(std::move(radio), true);
    std::string error;
    if (!host->Start(&error)) {
        PrintError(QCoreApplication::translate("qmcal", "qmcal: cannot start the simulated radio: %1\n")
                       .arg(QString::fromStdString(error)));
        return nullptr;
    }
    path = QString::fromStdString(host->SlavePath());
    return host;
}

// The program's options.
struct CommandLine {
    CommandLine()
    {
        parser.setApplicationDescription(QCoreApplication::translate("qmcal", "Calibration tool for the QM6200 radio."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({port, simulate, workbench, lang});
        parser.addPositionalArgument(QStringLiteral("FILE"),
            QCoreApplication::translate("qmcal", "A parameter file to open at start, as File > Open would."),
            QStringLiteral("[FILE]"));
    }

    // Usage errors end with status 2, as in qmcal-cli; the reason goes to standard error.
    bool Parse(const QStringList& arguments)
    {
        QString error;
        if (!parser.parse(arguments))
            error = parser.errorText();
        else if (parser.positionalArguments().size() > 1)
            error = QCoreApplication::translate("qmcal", "one FILE at most, not %1")
                        .arg(parser.positionalArguments().join(u' '));
        if (error.isEmpty())
            return true;
        PrintError(QStringLiteral("qmcal: %1\n").arg(error)
                   + QCoreApplication::translate("qmcal", "Try 'qmcal --help' for more information.\n"));
        return false;
    }

    QString File() const { return parser.positionalArguments().value(0); }

    QCommandLineParser parser;
    const QCommandLineOption port{QStringLiteral("port"),
        QCoreApplication::translate(
            "qmcal", "Probe NAME (a device or pseudo-terminal) before the system's serial ports; repeatable."),
        QStringLiteral("NAME")};
    const QCommandLineOption simulate{QStringLiteral("simulate"),
        QCoreApplication::translate("qmcal", "Start a simulated radio on a pseudo-terminal and probe it first.")};
    const QCommandLineOption workbench{QStringLiteral("workbench"),
        QCoreApplication::translate("qmcal", "Show the calibration pages below the header.")};
    const QCommandLineOption lang{kLangOption, QCoreApplication::translate("qmcal-cli", kLangDescription),
                                  kLangValueName};
};

void SetIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("qmcal"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(qmcal::kVersion));
}

// Help and the version are answered without a window, whatever the display. The window
// system's own options (-platform, -display...) are not known here and do not matter.
bool AnsweredWithoutWindow(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    CommandLine commandLine;
    QCommandLineParser& parser = commandLine.parser;
    static_cast<void>(parser.parse(arguments));
    return parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))
        || parser.isSet(QStringLiteral("version"));
}

} // namespace

int main(int argc, char* argv[])
{
    if (DisplayMissing() || AnsweredWithoutWindow(argc, argv)) {
        QCoreApplication core(argc, argv);
        SetIdentity();
        qmcal::Translations translations;
        translations.Use(LanguageOf(core.arguments()));
        CommandLine commandLine;
        if (!commandLine.Parse(core.arguments()))
            return kExitUsage;
        if (commandLine.parser.isSet(QStringLiteral("help")) || commandLine.parser.isSet(QStringLiteral("help-all")))
            commandLine.parser.showHelp(0);
        if (commandLine.parser.isSet(QStringLiteral("version")))
            commandLine.parser.showVersion();
        PrintError(NoDisplayText() + WithoutDisplayText(core.arguments().value(0)));
        return 1;
    }

    // The window system's own notes on its way to failing would bury the one line that says
    // what to do; QT_LOGGING_RULES still brings them out.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.*=false"));
    const QtMessageHandler previousHandler = qInstallMessageHandler(&WindowSystemMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(previousHandler);
    QLoggingCategory::setFilterRules({});
    SetIdentity();
    qmcal::InstallDialogFontSubstitutes();
    qmcal::InstallAccessibleFactory();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/res/qmcal.png")));

    // The application object has taken the window system's own options out of the arguments.
    // The language before any window exists; never stored, so each start decides again.
    qmcal::Translations translations;
    translations.Use(LanguageOf(QCoreApplication::arguments()));
    CommandLine commandLine;
    if (!commandLine.Parse(QCoreApplication::arguments()))
        return kExitUsage;
    const QCommandLineParser& parser = commandLine.parser;

    qmcal::CalApp::Options options;
    options.extraPorts = parser.values(commandLine.port);
    options.workbench = parser.isSet(commandLine.workbench);
    options.file = commandLine.File();

    std::unique_ptr<qmcal::sim::PtyHost> simulated;
    if (parser.isSet(commandLine.simulate)) {
#ifdef Q_OS_UNIX
        QString path;
        simulated = StartSimulatedRadio(path);
        if (!simulated)
            return 1;
        options.extraPorts.prepend(path);
#else
        PrintError(QCoreApplication::translate("qmcal", "qmcal: --simulate needs a system with pseudo-terminals\n"));
        return 1;
#endif
    }

    qmcal::CalApp calApp(std::move(options));
    return calApp.Run();
}
