#pragma once

#include <QFuture>
#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

class QThreadPool;
class QTimer;

namespace zelmora {

// Work a window runs away from its own thread, one piece at a time, so that the window keeps
// answering: on a pool of its own (Qt's global pool also serves painting, which must never
// wait behind it), with the progress and the stop request shared with the worker, the
// progress told every 100 ms, and the window's thread told when the work is over. Going away
// stops the work and waits for it.
class WindowWork : public QObject
{
public:
    // What a worker shares with the window: its progress, and the window's stop request.
    struct Job
    {
        std::atomic<bool> stop{false};
        std::atomic<qint64> done{0};
        std::atomic<qint64> total{0};
    };

    explicit WindowWork(QObject *window);
    ~WindowWork() override;

    // Runs `work` on the worker. `progress` is told the work done and in all at once and then
    // every 100 ms; `finished` runs on the window's thread once the work is over.
    void start(std::function<void(Job &)> work, std::function<void()> finished,
               std::function<void(qint64 done, qint64 total)> progress);
    bool busy() const { return bool(m_job); }
    // Asks the running work to stop; it ends at its next look at the request.
    void stop();
    // Asks it to stop and waits until it has.
    void stopAndWait();

private:
    void tellProgress();

    std::shared_ptr<Job> m_job;
    QFuture<void> m_future;
    QThreadPool *m_pool = nullptr;
    QTimer *m_timer = nullptr;
    std::function<void(qint64, qint64)> m_progress;
};

} // namespace zelmora
