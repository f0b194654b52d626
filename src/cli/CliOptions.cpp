#include "cli/CliOptions.h"

#include <QCoreApplication>

#include <algorithm>

namespace qmcal {

namespace {

const CliOptionSpec& SpecOf(CliOptionFlag flag)
{
    return *std::find_if(kCliOptions.begin(), kCliOptions.end(),
                         [flag](const CliOptionSpec& spec) { return spec.flag == flag; });
}

// A switch given counts as one empty value, so that IsSet and Values agree.
QStringList GivenValues(const QCommandLineParser& parser, const CliOptionSpec& spec)
{
    const QString name = QLatin1String(spec.name);
    if (spec.valueName != nullptr)
        return parser.values(name);
    return parser.isSet(name) ? QStringList{QString()} : QStringList();
}

} // namespace

QString OptionWord(const CliOptionSpec& spec)
{
    const QString name = QLatin1String(spec.name);
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

void PrepareParser(QCommandLineParser& parser, unsigned options)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption({QStringLiteral("h"), kHelpOption},
                                        QCoreApplication::translate("qmcal-cli", "show this help")));
    for (const CliOptionSpec& spec : kCliOptions) {
        if ((options & spec.flag) == 0)
            continue;
        QCommandLineOption option(QLatin1String(spec.name), QCoreApplication::translate("qmcal-cli", spec.description));
        if (spec.valueName != nullptr)
            option.setValueName(QLatin1String(spec.valueName));
        parser.addOption(option);
    }
}

QString OptionsUsage(unsigned options)
{
    QString text;
    for (const CliOptionSpec& spec : kCliOptions) {
        if ((options & spec.flag) == 0)
            continue;
        text += QStringLiteral(" [%1").arg(OptionWord(spec));
        if (spec.valueName != nullptr)
            text += QLatin1Char(' ') + QLatin1String(spec.valueName);
        text += spec.repeats ? QStringLiteral("]...") : QStringLiteral("]");
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
    const CliOptionSpec& spec = SpecOf(flag);
    QStringList values;
    if ((kCommonOptions & flag) != 0)
        values = GivenValues(m_beforeCommand, spec);
    return values + GivenValues(m_command, spec);
}

} // namespace qmcal
