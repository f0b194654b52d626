#pragma once

#include <chrono>

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLineEdit;

namespace qmcal {

// The pair of arrow buttons beside a value editor. It never takes the keyboard focus and never
// writes its buddy itself: every step is announced with PositionChanging (the handler, SpinStep,
// rewrites the buddy), followed by PositionChanged; releasing the button ends the click with
// EndScroll. Held down, a button repeats, but never inside a wait that began after the press.
// The up and down arrow keys in the buddy step too, on every repeat of a held key, and only the
// key's real release ends the "click".
class UpDownControl : public QWidget {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kRepeatDelay{400};
    static constexpr std::chrono::milliseconds kRepeatInterval{60};
    // How long a released arrow key waits for the press that the window system's auto-repeat
    // pairs with each release (same time stamp), before the release counts as the real one.
    static constexpr std::chrono::milliseconds kReleaseGrace{100};

    explicit UpDownControl(QWidget* parent = nullptr);

    void SetRange(int low, int high);
    int Low() const { return m_low; }
    int High() const { return m_high; }
    // The base the buddy's number is written in (10, or 16), as the platform's control keeps it.
    void SetBase(int base) { m_base = base; }
    int Base() const { return m_base; }

    // Sits at the buddy's right edge, as tall as the buddy, which gives up that much width.
    void SetBuddy(QLineEdit* buddy);
    QLineEdit* Buddy() const { return m_buddy; }

    QSize sizeHint() const override;

Q_SIGNALS:
    // About to step by delta (+1 up, -1 down).
    void PositionChanging(int delta);
    // A step has been taken.
    void PositionChanged();
    // The button (or arrow key) that stepped was released.
    void EndScroll();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Step();
    void Repeat();
    void EndKeyHold();
    int DeltaAt(const QPoint& pos) const;

    QPointer<QLineEdit> m_buddy;
    QObject* m_filtered = nullptr;  // the buddy as an event source, also while it is destroyed
    QTimer m_repeat;
    QTimer m_keyRelease;  // a released arrow key, until it proves to be no repeat
    quint64 m_releaseTime = 0;
    int m_low = 0;
    int m_high = 100;
    int m_base = 10;
    int m_pressedDelta = 0;  // the held button: +1, -1, or 0 when none
    int m_pressLevel = 0;    // the event loop level the button was pressed in
    bool m_repeatHeld = false;  // a repeat was held back by a wait
    bool m_keyHeld = false;
    QPoint m_lastMouse;
};

} // namespace qmcal
