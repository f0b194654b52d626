#pragma once

#include <QString>
#include <QStringList>

#include "link/LinkReporter.h"

namespace qmcal::test {

// Keeps every text the link shows, in order.
class RecordingReporter final : public LinkReporter {
public:
    void ShowPrompt(const QString& text) override
    {
        prompts << text;
        prompt = text;
    }
    void ShowPtt(const QString& text) override
    {
        ptts << text;
        ptt = text;
    }
    void ShowMessage(const QString& text) override { messages << text; }
    void ShowProgress(int done, int total) override
    {
        lastDone = done;
        lastTotal = total;
    }

    QStringList prompts;
    QStringList ptts;
    QStringList messages;
    QString prompt;
    QString ptt;
    int lastDone = 0;
    int lastTotal = 0;
};

} // namespace qmcal::test
