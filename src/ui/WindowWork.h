#pragma once

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QPromise>
#include <QtConcurrent>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QAbstractButton;
class QLabel;
class QProgressBar;
class QThreadPool;

namespace zelmora {

// What a window's worker is handed: its promise, through which it tells its progress and learns
// that the work was cancelled (the window closed, or a new run began: its result is then never
// delivered), and the window's stop request (Interrompi, Escape), after which it ends early and
// its result, as far as it came, still reaches the window.
template <typename T> class Worker
{
public:
    Worker(QPromise<T> &promise, const std::atomic<bool> &stop) : m_promise(promise), m_stop(stop)
    {
    }

    bool canceled() const { return m_promise.isCanceled(); }
    // False once the work is to end, cancelled or stopped; every step asks it often enough
    // to end within a tenth of a second.
    bool keepGoing() const { return !m_promise.isCanceled() && !m_stop.load(); }

    // Tells the window `done` of `total` with the text its label shows; a negative total is a
    // wait of unknown length, shown without a figure.
    void tell(qint64 done, qint64 total, const QString &text)
    {
        constexpr int kSteps = 1000;
        const QFuture<T> future = m_promise.future();
        if (total < 0) {
            if (future.progressMaximum() != 0)
                m_promise.setProgressRange(0, 0);
            // Without a range any higher value is taken: the text changes with it.
            m_promise.setProgressValueAndText(future.progressValue() + 1, text);
            return;
        }
        if (future.progressMaximum() != kSteps)
            m_promise.setProgressRange(0, kSteps);
        // From 1, so that the first step is told too (a value must grow to be told).
        const qint64 step = total > 0 ? 1 + done * (kSteps - 1) / total : 1;
        m_promise.setProgressValueAndText(int(std::clamp<qint64>(step, 1, kSteps)), text);
    }

    // A callback of the form the archive and figures routines take: tells the progress with
    // the text `text` gives for it, and answers whether to go on.
    std::function<bool(qint64, qint64)> progress(std::function<QString(qint64, qint64)> text)
    {
        return [this, text = std::move(text)](qint64 done, qint64 total) {
            tell(done, total, text(done, total));
            return keepGoing();
        };
    }

private:
    QPromise<T> &m_promise;
    const std::atomic<bool> &m_stop;
};

// A window's long work (reading the archive, an import, a check, the figures, a report's
// print run or preview), one run at a time, with QtConcurrent and a QPromise on a pool of the
// window's own (Qt's global pool also serves painting, which must never wait behind it),
// watched by a QFutureWatcher that gives the typed result, the progress and the cancel. A new
// run cancels the one going, whose result is then never delivered; going away cancels the
// work and waits for it, which every worker makes short.
class WindowWork : public QObject
{
    Q_OBJECT
public:
    explicit WindowWork(QObject *window);
    ~WindowWork() override;

    // Where the work shows: the bar shows its progress and is visible only while it runs, the
    // label its text, and the button (Interrompi) is enabled while it runs and stops it.
    void showOn(QProgressBar *bar, QLabel *label, QAbstractButton *stop);

    // Runs `work(worker)`, which returns the result, on the window's pool; `finished` gets the
    // result on the window's thread, unless the run was cancelled.
    template <typename T>
    void run(std::function<T(Worker<T> &)> work, std::function<void(T)> finished)
    {
        cancel();
        auto stop = std::make_shared<std::atomic<bool>>(false);
        m_stop = stop;
        auto *watcher = new QFutureWatcher<T>(this);
        connect(watcher, &QFutureWatcher<T>::finished, this,
                [this, watcher, finished = std::move(finished)] {
                    watcher->deleteLater();
                    m_watcher = nullptr;
                    endRun();
                    if (watcher->isCanceled())
                        return;
                    std::optional<T> result;
                    // What a worker could not catch (memory running out) ends here, told.
                    try {
                        result.emplace(watcher->future().takeResult());
                    } catch (const std::exception &) {
                        emit failed();
                        return;
                    }
                    finished(std::move(*result));
                });
        watchProgress(watcher);
        m_watcher = watcher;
        beginRun();
        QFuture<T> future =
            QtConcurrent::run(m_pool, [stop, work = std::move(work)](QPromise<T> &promise) {
                Worker<T> worker(promise, *stop);
                T result = work(worker);
                if (!promise.isCanceled())
                    promise.addResult(std::move(result));
            });
        m_future = future;
        watcher->setFuture(future);
    }

    bool busy() const { return m_watcher != nullptr; }
    // Asks the running work to end early; its result, as far as it came, is delivered.
    void stop();
    // Cancels the running work: it ends at its next look, and its result is never delivered.
    void cancel();

signals:
    // The work began, or ended (delivered or cancelled): the window locks or frees its
    // controls.
    void runningChanged(bool running);
    // The work ended on a failure of its own (memory ran out): there is no result.
    void failed();

private:
    void watchProgress(QFutureWatcherBase *watcher);
    void beginRun();
    void endRun();

    QThreadPool *m_pool = nullptr;
    QFuture<void> m_future;                  // the running work, whatever its result
    QFutureWatcherBase *m_watcher = nullptr; // the running work's watcher
    std::shared_ptr<std::atomic<bool>> m_stop;
    QProgressBar *m_bar = nullptr;
    QLabel *m_label = nullptr;
    QAbstractButton *m_stopButton = nullptr;
};

} // namespace zelmora
