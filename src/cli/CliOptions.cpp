#include "cli/CliOptions.h"

#include <QCoreApplication>

#include <algorithm>

namespace qmcal {

namespace {

const CliOptionRow& SpecOf(CliOptionFlag flag)
{
    return *std::find_if(kCliOptions.begin(), kCliOptions.end(),
                         [flag](const CliOptionRow& row) { return row.flag == flag; });
}

// A switch given counts as one empty value, so that IsSet and Values agree.
QStringList GivenValues(const QCommandLineParser& parser, const CliOptionRow& row)
{
    const QString name = QLatin1String(row.name);
    if (row.valueName != nullptr)
        return parser.values(name);
    return parser.isSet(name) ? QStringList{QString()} : QStringList();
}

} // namespace

QString OptionWord(const CliOptionRow& row)
{
    const QString name = QLatin1String(row.name);
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

void PrepareParser(QCommandLineParser& parser, unsigned options)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption({QStringLiteral("h"), kHelpOption},
                                        QCoreApplication::translate("qmcal-cli", "show this help")));
    for (const CliOptionRow& row : kCliOptions) {
        if ((options & row.flag) == 0)
            continue;
        QCommandLineOption option(QLatin1String(row.name), QCoreApplication::translate("qmcal-cli", row.description));
        if (row.valueName != nullptr)
            option.setValueName(QLatin1String(row.valueName));
        parser.addOption(option);
    }
}

QString OptionsUsage(unsigned options)
{
    QString text;
    for (const CliOptionRow& row : kCliOptions) {
        if ((options & row.flag) == 0)
            continue;
        text += QStringLiteral(" [%1").arg(OptionWord(row));
        if (row.valueName != nullptr)
            text += QLatin1Char(' ') + QLatin1String(row.valueName);
        text += row.repeats ? QStringLiteral("]...") : QStringLiteral("]");
    }
    return text;
}

QString CliOptions::Value(CliOptionFlag flag) const
{
    const QStringList values = Values(flag);
    return values.isEmpty() ? QString() : values.last();
}

QStringList CliOptions::Values(CliOptionFlag flag) const
{
    const CliOptionRow& row = SpecOf(flag);
    QStringList values;
    if ((kCommonOptions & flag) != 0)
        values = GivenValues(m_beforeCommand, row);
    return values + GivenValues(m_command, row);
}

} // namespace qmcal
