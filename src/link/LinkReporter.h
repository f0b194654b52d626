#pragma once

#include <QString>

namespace qmcal {

// Everything the radio link shows to the user goes through this; the main window implements it
// (on the UI thread: a QueuedReporter brings the reports there from the link's thread), tests
// record it.
class LinkReporter {
public:
    virtual ~LinkReporter() = default;
    virtual void ShowPrompt(const QString& text) = 0;
    virtual void ShowPtt(const QString& text) = 0;
    // A modal message box with an OK button (the busy refusal).
    virtual void ShowMessage(const QString& text) = 0;
    // Blocks done of a whole-image transfer, after each block (beside the progress text in the
    // Prompt); for a progress bar where one is wanted.
    virtual void ShowProgress(int /*done*/, int /*total*/) {}
};

} // namespace qmcal
