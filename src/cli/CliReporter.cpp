#include "cli/CliReporter.h"

#include "cli/CliCommand.h"

namespace qmcal {

namespace {
constexpr int kBarWidth = 40;
} // namespace

CliReporter::CliReporter(bool progressBar) : m_progressBar(progressBar) {}

CliReporter::~CliReporter()
{
    EndProgress();
}

void CliReporter::ShowMessage(const QString& text)
{
    EndProgress();
    PrintError(text + QLatin1Char('\n'));
}

void CliReporter::ShowProgress(int done, int total)
{
    if (!m_progressBar || total <= 0)
        return;
    const int filled = done * kBarWidth / total;
    PrintError(QStringLiteral("\r[%1%2] %3/%4")
                   .arg(QString(filled, QLatin1Char('=')), QString(kBarWidth - filled, QLatin1Char(' ')))
                   .arg(done)
                   .arg(total));
    m_barShown = true;
}

void CliReporter::EndProgress()
{
    if (m_barShown)
        PrintError(QStringLiteral("\n"));
    m_barShown = false;
}

} // namespace qmcal
