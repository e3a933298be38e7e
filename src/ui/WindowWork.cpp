#include "ui/WindowWork.h"

#include <QFutureWatcher>
#include <QThreadPool>
#include <QTimer>
#include <QtConcurrent>

#include <algorithm>

namespace zelmora {

WindowWork::WindowWork(QObject *window) : QObject(window)
{
    m_pool = new QThreadPool(this);
    m_pool->setObjectName(QStringLiteral("workers"));
    m_pool->setMaxThreadCount(1);
    m_timer = new QTimer(this);
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &WindowWork::tellProgress);
}

WindowWork::~WindowWork()
{
    stopAndWait();
}

void WindowWork::start(std::function<void(Job &)> work, std::function<void()> finished,
                       std::function<void(qint64, qint64)> progress)
{
    auto job = std::make_shared<Job>();
    m_job = job;
    m_progress = std::move(progress);
    tellProgress();
    m_timer->start();
    m_future = QtConcurrent::run(m_pool, [job, work = std::move(work)] { work(*job); });
    auto *watcher = new QFutureWatcher<void>(this);
    connect(watcher, &QFutureWatcher<void>::finished, this,
            [this, watcher, finished = std::move(finished)] {
                watcher->deleteLater();
                m_timer->stop();
                m_job.reset();
                finished();
            });
    watcher->setFuture(m_future);
}

void WindowWork::stop()
{
    if (m_job)
        m_job->stop = true;
}

void WindowWork::stopAndWait()
{
    if (!m_job)
        return;
    m_job->stop = true;
    m_future.waitForFinished();
}

void WindowWork::tellProgress()
{
    if (!m_job || !m_progress)
        return;
    const qint64 total = m_job->total;
    m_progress(std::min<qint64>(m_job->done, total), total);
}

} // namespace zelmora
