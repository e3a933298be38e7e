#include "ui/WindowWork.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>
#include <QThreadPool>

namespace zelmora {

WindowWork::WindowWork(QObject *window) : QObject(window)
{
    m_pool = new QThreadPool(this);
    m_pool->setObjectName(QStringLiteral("workers"));
    // One worker: a cancelled run still ending never races the new one for the archive.
    m_pool->setMaxThreadCount(1);
}

WindowWork::~WindowWork()
{
    cancel();
    m_pool->waitForDone();
}

void WindowWork::showOn(QProgressBar *bar, QLabel *label, QAbstractButton *stop)
{
    m_bar = bar;
    m_label = label;
    m_stopButton = stop;
    if (m_stopButton)
        connect(m_stopButton, &QAbstractButton::clicked, this, &WindowWork::stop);
}

void WindowWork::watchProgress(QFutureWatcherBase *watcher)
{
    if (m_bar) {
        connect(watcher, &QFutureWatcherBase::progressRangeChanged, m_bar, &QProgressBar::setRange);
        connect(watcher, &QFutureWatcherBase::progressValueChanged, m_bar, &QProgressBar::setValue);
    }
    if (m_label)
        connect(watcher, &QFutureWatcherBase::progressTextChanged, m_label, &QLabel::setText);
}

void WindowWork::beginRun()
{
    if (m_bar) {
        m_bar->setRange(0, 0);
        m_bar->setVisible(true);
    }
    if (m_stopButton)
        m_stopButton->setEnabled(true);
    emit runningChanged(true);
}

void WindowWork::endRun()
{
    // The work's last text goes with it; the window words the outcome.
    if (m_label)
        m_label->clear();
    if (m_bar)
        m_bar->setVisible(false);
    if (m_stopButton)
        m_stopButton->setEnabled(false);
    emit runningChanged(false);
}

void WindowWork::stop()
{
    if (m_stop)
        m_stop->store(true);
}

void WindowWork::cancel()
{
    if (!m_watcher)
        return;
    // The watcher stays until its run has ended, but no longer counts: nothing of the run
    // reaches the window.
    m_watcher->disconnect(this);
    connect(m_watcher, &QFutureWatcherBase::finished, m_watcher, &QObject::deleteLater);
    if (m_bar)
        m_watcher->disconnect(m_bar);
    if (m_label)
        m_watcher->disconnect(m_label);
    m_watcher = nullptr;
    m_future.cancel();
    endRun();
}

} // namespace zelmora
