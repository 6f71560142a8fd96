#include "TIdleReset.h"
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

TIdleReset::TIdleReset(QObject* parent, Clock clock) : QObject(parent), m_clock(std::move(clock))
{
    if (!m_clock) {
        m_elapsed.start();
        m_clock = [this] { return m_elapsed.elapsed(); };
    }
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    // Precise: a coarse timer may fire up to 5 % late, seconds late for a long IdleReset.
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &TIdleReset::Check);
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

TIdleReset::~TIdleReset()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

void TIdleReset::SetSeconds(int seconds)
{
    m_seconds = qMax(0, seconds);
    m_timer->stop();
    InputSeen();
}

bool TIdleReset::IsInput(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove: return true;
    default: return false;
    }
}

bool TIdleReset::eventFilter(QObject* watched, QEvent* event)
{
    // An event travels from the window to its widgets, each seeing it here; noting the
    // time again is all it costs.
    if (IsInput(event))
        InputSeen();
    return QObject::eventFilter(watched, event);
}

void TIdleReset::InputSeen()
{
    m_lastInput = m_clock();
    m_waiting = true;
    // Armed once for the whole time; when it fires, Check arms it again for what is left,
    // so a stream of mouse movements does not restart a timer per event.
    if (m_seconds > 0 && !m_timer->isActive())
        Arm(qint64(m_seconds) * 1000);
}

void TIdleReset::Check()
{
    if (m_seconds <= 0 || !m_waiting)
        return;
    const qint64 limit = qint64(m_seconds) * 1000;
    const qint64 idle = m_clock() - m_lastInput;
    if (idle < limit) {
        Arm(limit - idle);
        return;
    }
    if (Blocked && Blocked()) {
        InputSeen();
        return;
    }
    // Disarmed until input comes: a display already at its start is not reset again.
    m_timer->stop();
    m_waiting = false;
    if (OnReset)
        OnReset();
}

void TIdleReset::Arm(qint64 remaining) { m_timer->start(int(qMax<qint64>(1, remaining))); }
