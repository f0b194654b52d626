// The bash completions shipped for qmcal-cli and qmcal-sim, run in bash as it runs them.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qmcal::test {
namespace {

const QString kCompletions = QStringLiteral(QMCAL_TEST_DATA_DIR "/../../dist/completions/");

std::string Words(const QStringList& list)
{
    return list.join(QLatin1Char(' ')).toStdString();
}

// What bash offers for the last of words, in folder, through the function the script
// registers for words' first; sorted, one a line.
QStringList Complete(const QStringList& words, const QString& folder)
{
    static const QString kDriver = QStringLiteral(
        "cd \"$1\" && source \"$2\" || exit 9\n"
        "shift 2\n"
        "COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1))\n"
        "fn=$(complete -p \"$1\" | sed -n 's/.*-F \\([^ ]*\\).*/\\1/p')\n"
        "[ -n \"$fn\" ] || exit 8\n"
        "\"$fn\" \"$1\" \"${COMP_WORDS[COMP_CWORD]}\" \"${COMP_WORDS[COMP_CWORD - 1]}\"\n"
        "printf '%s\\n' \"${COMPREPLY[@]}\" | LC_ALL=C sort\n");
    QProcess bash;
    bash.start(QStringLiteral("bash"), QStringList{QStringLiteral("-c"), kDriver, QStringLiteral("bash"),
                                                   folder, kCompletions + words.first()} + words);
    if (!bash.waitForFinished(10000) || bash.exitCode() != 0)
        return {QStringLiteral("bash failed: ") + QString::fromUtf8(bash.readAllStandardError())};
    return QString::fromUtf8(bash.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The "--name" words of a help text's option lines.
QStringList HelpOptions(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(QMCAL_BIN_DIR "/") + args.first(), args.mid(1));
    p.waitForFinished(30000);
    QStringList names;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        for (const QString& word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (word.startsWith(QLatin1String("--")) && line.startsWith(QLatin1String("  -")))
                names << word.section(QLatin1Char(','), 0, 0).section(QLatin1Char('='), 0, 0);
        }
    }
    names.removeDuplicates();
    names.sort();
    return names;
}

TEST(Completion, OffersCommandsOptionsFilesPagesAndPorts)
{
    QTemporaryDir dir;
    for (const char* name : {"a.dat", "b.dat", "notes.txt", "sub/c.dat"}) {
        QDir(dir.path()).mkpath(QFileInfo(dir.filePath(QLatin1String(name))).path());
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QStringList dats{"a.dat", "b.dat", "sub"};
    const struct {
        QStringList words;
        QStringList offered;
    } cases[] = {
        {{"qmcal-cli", "s"}, {"show"}},
        {{"qmcal-cli", "-"}, {"--help", "--lang", "--version"}},
        {{"qmcal-cli", "show", "a.dat", "s"}, {"signal-mod", "sql", "sql-fine"}},
        {{"qmcal-cli", "show", ""}, dats},
        {{"qmcal-cli", "export", "a.dat", ""}, {"a.dat", "b.dat", "notes.txt", "sub"}},
        {{"qmcal-cli", "export", "--default", ""}, dats},
        {{"qmcal-cli", "export", "--default", "=", ""}, dats},
        {{"qmcal-cli", "export", "--default", "x.dat", "a"}, {"a.dat"}},
        {{"qmcal-cli", "diff", "--", "-x.dat", "-"}, {}},
        {{"qmcal-cli", "make-default", "a.dat", ""}, {}},
        {{"qmcal-cli", "read", "/dev/nul"}, {"/dev/null"}},
        {{"qmcal-cli", "verify", "a.dat", "/dev/nul"}, {"/dev/null"}},
        {{"qmcal-cli", "detect", "--port", "/dev/nul"}, {"/dev/null"}},
        {{"qmcal-sim", "--memory", ""}, dats},
        {{"qmcal-sim", "--seed", ""}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(Words(Complete(c.words, dir.path())), Words(c.offered));
    }

    // Every command, and exactly the options each program's help names.
    const QStringList commands{"diff", "detect", "export", "make-default", "read", "report", "show", "verify", "write-rssi"};
    QStringList sorted = commands;
    sorted.sort();
    EXPECT_EQ(Words(Complete({"qmcal-cli", ""}, dir.path())), Words(sorted));
    for (const QString& command : commands) {
        SCOPED_TRACE(command.toStdString());
        EXPECT_EQ(Words(Complete({"qmcal-cli", command, "--"}, dir.path())),
                  Words(HelpOptions({"qmcal-cli", command, "--help"})));
    }
    EXPECT_EQ(Words(Complete({"qmcal-sim", "--"}, dir.path())), Words(HelpOptions({"qmcal-sim", "--help"})));
}

} // namespace
} // namespace qmcal::test
