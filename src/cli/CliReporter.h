#pragma once

#include <QString>

#include "link/LinkReporter.h"

namespace qmcal {

// The link's texts on a terminal: the last Prompt text is kept for the command to print, a
// transfer draws a progress bar on standard error when that is a terminal.
class CliReporter final : public LinkReporter {
public:
    explicit CliReporter(bool progressBar);
    ~CliReporter() override;
    CliReporter(const CliReporter&) = delete;
    CliReporter& operator=(const CliReporter&) = delete;

    void ShowPrompt(const QString& text) override { m_prompt = text; }
    void ShowPtt(const QString&) override {}
    void ShowMessage(const QString& text) override;
    void ShowProgress(int done, int total) override;

    const QString& Prompt() const { return m_prompt; }
    // Ends the progress bar's line, if one was drawn.
    void EndProgress();

private:
    bool m_progressBar = false;
    bool m_barShown = false;
    QString m_prompt;
};

} // namespace qmcal
