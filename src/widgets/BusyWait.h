#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <QEventLoop>
#include <QObject>
#include <QPointer>

class QWidget;

namespace qmcal {

// Made around a wait of the UI thread for work on another thread: the windows keep painting and
// can be moved, but what the user does there must not act. With Input::Drop (a whole transfer)
// mouse, key, wheel, shortcut and context-menu input is thrown away, as if the window had not
// been there; with Input::Defer (one short exchange) the window system keeps it until the wait is
// over (ExcludeUserInputEvents) and input sent meanwhile from within the program (the up-down's
// Enter) is posted again afterwards, after the window system's, in order; a held key's repeats
// are dropped. A window closed during the wait closes when it is over. A modal window that opens
// during the wait (a message the work shows) takes its input as usual.
class BusyWait final : public QObject {
public:
    enum class Input { Drop, Defer };

    // closing runs when a window is closed during the wait, so that the work may end early.
    explicit BusyWait(Input input, std::function<void()> closing = {});
    ~BusyWait() override;
    BusyWait(const BusyWait&) = delete;
    BusyWait& operator=(const BusyWait&) = delete;

    // For the wait's event loop.
    QEventLoop::ProcessEventsFlags LoopFlags() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool InNewModal(QObject* object) const;
    bool HoldClose(QObject* watched, QEvent* event);

    Input m_input = Input::Drop;
    std::function<void()> m_closing;
    QPointer<QWidget> m_modalAtStart;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> m_deferred;
    std::vector<QPointer<QWidget>> m_closed;
};

} // namespace qmcal
