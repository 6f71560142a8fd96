#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <functional>

class QTimer;

// Returns a public screen to its start after a time without input: it watches every
// keyboard, mouse and touch event of the application and, once the set number of seconds
// has passed without one, calls OnReset, once, until input comes again. The host decides
// what a reset does and when one must not happen (Blocked, checked when the time is up:
// a blocked reset counts afresh from then).
class TIdleReset : public QObject
{
    Q_OBJECT
public:
    // Milliseconds of a monotonic clock; tests give one they advance themselves.
    using Clock = std::function<qint64()>;

    explicit TIdleReset(QObject* parent = nullptr, Clock clock = {});
    ~TIdleReset() override;

    // 0 switches it off.
    void SetSeconds(int seconds);
    int Seconds() const { return m_seconds; }

    // Input seen now: the count starts again.
    void InputSeen();
    // The time is up or the timer fired early: resets when the full time has passed.
    void Check();
    // The timer that calls Check when the time is up, armed for the time still to wait.
    QTimer* Timer() const { return m_timer; }

    std::function<void()> OnReset;
    std::function<bool()> Blocked;

    // Whether an event is input of a visitor.
    static bool IsInput(const QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Arm(qint64 remaining);

    Clock m_clock;
    QElapsedTimer m_elapsed;
    QTimer* m_timer = nullptr;
    int m_seconds = 0;
    qint64 m_lastInput = 0;
    bool m_waiting = false; // input came since the last reset
};
