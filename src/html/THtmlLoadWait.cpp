#include "html/THtmlLoadWait.h"
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <exception>
#include <thread>
#include <vector>

namespace {

// While the wait lasts, holds back the deferred deletion of the watched widget and of
// every object it lies in, and asks for it again afterwards.
class THold : public QObject
{
public:
    explicit THold(QWidget* watched) : m_watched(watched)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~THold() override
    {
        QCoreApplication::instance()->removeEventFilter(this);
        for (const QPointer<QObject>& held : m_held)
            if (held)
                QCoreApplication::postEvent(held, new QDeferredDeleteEvent);
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (!m_watched)
            return false;
        if (event->type() == QEvent::DeferredDelete && Encloses(receiver, m_watched)) {
            m_held.emplace_back(receiver);
            return true;
        }
        return false;
    }

private:
    static bool Encloses(const QObject* outer, const QObject* inner)
    {
        for (const QObject* o = inner; o; o = o->parent())
            if (o == outer)
                return true;
        return false;
    }

    QPointer<QWidget> m_watched;
    std::vector<QPointer<QObject>> m_held;
};

} // namespace

void THtmlLoadWait::Run(const std::function<void()>& work, QWidget* watched)
{
    std::atomic<bool> done{false};
    std::exception_ptr error;
    THold hold(watched);
    QEventLoop loop;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
        done.store(true, std::memory_order_release);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    if (!done.load(std::memory_order_acquire))
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    // A request to end the program ends every event loop, this one too: the worker is then
    // waited for here, it ends by itself.
    worker.join();
    if (error)
        std::rethrow_exception(error);
}
