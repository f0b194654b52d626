#include "widgets/UpDownControl.h"

#include <utility>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QThread>

namespace qmcal {

UpDownControl::UpDownControl(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    m_repeat.setSingleShot(false);
    connect(&m_repeat, &QTimer::timeout, this, &UpDownControl::Repeat);
    m_keyRelease.setSingleShot(true);
    m_keyRelease.setInterval(kReleaseGrace);
    connect(&m_keyRelease, &QTimer::timeout, this, &UpDownControl::EndKeyHold);
}

void UpDownControl::SetRange(int low, int high)
{
    m_low = low;
    m_high = high;
}

void UpDownControl::SetBuddy(QLineEdit* buddy)
{
    if (m_buddy != buddy) {
        if (m_buddy)
            m_buddy->removeEventFilter(this);
        m_buddy = buddy;
        m_filtered = buddy;
        if (m_buddy)
            m_buddy->installEventFilter(this);
    }
    if (!m_buddy)
        return;
    const QRect b = m_buddy->geometry();
    const int w = std::min(width(), b.width());
    m_buddy->resize(b.width() - w, b.height());
    setGeometry(b.right() + 1 - w, b.top(), w, b.height());
    raise();
}

QSize UpDownControl::sizeHint() const
{
    return QSize(16, 22);
}

int UpDownControl::DeltaAt(const QPoint& pos) const
{
    return pos.y() < height() / 2 ? 1 : -1;
}

void UpDownControl::Step()
{
    Q_EMIT PositionChanging(m_pressedDelta);
    Q_EMIT PositionChanged();
}

void UpDownControl::Repeat()
{
    // A tick inside an event loop entered since the press is inside a wait for the radio (or a
    // message box): a step there would store again while the last store still waits, and the
    // release would be seen only after every step made meanwhile.
    if (QThread::currentThread()->loopLevel() > m_pressLevel) {
        m_repeat.start(kRepeatDelay);
        m_repeatHeld = true;
        return;
    }
    // After such a wait the button counts as held only while the window system says so; its
    // release may still be on its way to this control.
    if (std::exchange(m_repeatHeld, false) && !m_keyHeld
        && !QGuiApplication::mouseButtons().testFlag(Qt::LeftButton)) {
        m_repeat.stop();
        return;
    }
    m_repeat.setInterval(kRepeatInterval);
    // Like the platform's control, a held button pauses while the mouse is off it.
    if (m_keyHeld || DeltaAt(m_lastMouse) == m_pressedDelta)
        Step();
}

void UpDownControl::EndKeyHold()
{
    m_keyRelease.stop();
    m_keyHeld = false;
    m_pressedDelta = 0;
    Q_EMIT EndScroll();
}

void UpDownControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_pressedDelta != 0) {
        event->ignore();
        return;
    }
    m_lastMouse = event->position().toPoint();
    m_pressedDelta = DeltaAt(m_lastMouse);
    m_pressLevel = QThread::currentThread()->loopLevel();
    m_repeatHeld = false;
    update();
    Step();
    m_repeat.start(kRepeatDelay);
}

void UpDownControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_pressedDelta == 0 || m_keyHeld) {
        event->ignore();
        return;
    }
    m_repeat.stop();
    m_pressedDelta = 0;
    update();
    Q_EMIT EndScroll();
}

void UpDownControl::hideEvent(QHideEvent* event)
{
    // The editor closed: a key let go in another window must not leave a button held, which
    // would make the control ignore every later click. A key already let go still ends its click.
    if (m_keyRelease.isActive())
        EndKeyHold();
    m_repeat.stop();
    m_pressedDelta = 0;
    m_keyHeld = false;
    QWidget::hideEvent(event);
}

bool UpDownControl::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    if (watched != m_filtered || m_buddy.isNull() || !isVisible())
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Up && key->key() != Qt::Key_Down)
        return false;
    const int delta = key->key() == Qt::Key_Up ? 1 : -1;
    if (event->type() == QEvent::KeyPress) {
        if (m_pressedDelta != 0 && !m_keyHeld)
            return true;  // the mouse holds a button already
        if (m_keyRelease.isActive()) {
            // X11 repeats a held key as a release and a press with one time stamp, and Qt does
            // not always mark them; a press at another time is a new click of the key.
            m_keyRelease.stop();
            if (key->timestamp() != m_releaseTime || delta != m_pressedDelta)
                EndKeyHold();
        }
        m_keyHeld = true;
        m_pressedDelta = delta;
        Step();
        return true;
    }
    if (key->isAutoRepeat() || !m_keyHeld || m_pressedDelta != delta)
        return true;
    // A synthesized release (time stamp 0) has no repeat press to wait for.
    m_releaseTime = key->timestamp();
    if (m_releaseTime == 0)
        EndKeyHold();
    else
        m_keyRelease.start();
    return true;
}

void UpDownControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int half = height() / 2;
    const QRect halves[] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
    for (int i = 0; i < 2; ++i) {
        const bool down = m_pressedDelta == (i == 0 ? 1 : -1) && !m_keyHeld;
        QStyleOptionButton panel;
        panel.initFrom(this);
        panel.rect = halves[i];
        panel.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &panel, &painter, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = halves[i].adjusted(1, 1, -1, -1);
        style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                               &arrow, &painter, this);
    }
}

} // namespace qmcal
