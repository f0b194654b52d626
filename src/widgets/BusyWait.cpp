#include "widgets/BusyWait.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace qmcal {

namespace {

// What a short exchange keeps for afterwards; moves, hovers and the shortcut map's own events
// would mean nothing later, nor would a held key's repeats: stepping on through them after the
// wait would act long after the key was let go.
bool KeptForLater(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return !static_cast<const QKeyEvent&>(event).isAutoRepeat();
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

} // namespace

BusyWait::BusyWait(Input input, std::function<void()> closing)
    : m_input(input), m_closing(std::move(closing)), m_modalAtStart(QApplication::activeModalWidget())
{
    QCoreApplication::instance()->installEventFilter(this);
}

BusyWait::~BusyWait()
{
    QCoreApplication::instance()->removeEventFilter(this);
    // The window system's input goes first: what the program sent meanwhile (the up-down's
    // Enter) must not act before a release that was held back.
    std::stable_partition(m_deferred.begin(), m_deferred.end(),
                          [](const auto& deferred) { return deferred.second->spontaneous(); });
    for (auto& [receiver, event] : m_deferred) {
        if (receiver)
            QCoreApplication::postEvent(receiver, event.release());
    }
    for (const QPointer<QWidget>& window : m_closed) {
        if (window)
            QMetaObject::invokeMethod(window, [window] { if (window) window->close(); }, Qt::QueuedConnection);
    }
}

QEventLoop::ProcessEventsFlags BusyWait::LoopFlags() const
{
    return m_input == Input::Defer ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents;
}

bool BusyWait::InNewModal(QObject* object) const
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == m_modalAtStart)
        return false;
    for (QObject* o = object; o != nullptr; o = o->parent()) {
        if (auto* widget = qobject_cast<QWidget*>(o))
            return widget->window() == modal;
    }
    return false;
}

bool BusyWait::HoldClose(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    // Popups and tool tips close as they always do.
    if (widget == nullptr || !widget->isWindow() || InNewModal(widget)
        || (widget->windowType() != Qt::Window && widget->windowType() != Qt::Dialog))
        return false;
    event->ignore();
    if (std::find(m_closed.begin(), m_closed.end(), widget) == m_closed.end())
        m_closed.emplace_back(widget);
    if (m_closing)
        m_closing();
    return true;
}

bool BusyWait::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close)
        return HoldClose(watched, event);
    if (!event->isInputEvent() && event->type() != QEvent::Shortcut)
        return false;
    // A window hands its input on to its widgets, where it is held.
    if (qobject_cast<QWindow*>(watched) != nullptr || InNewModal(watched))
        return false;
    if (m_input == Input::Defer && KeptForLater(*event))
        m_deferred.emplace_back(watched, event->clone());
    return true;
}

} // namespace qmcal
