#pragma once

#include <QThread>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>

namespace platform {

// Reads something slow on a thread of its own while the user interface goes on, in the
// manner of Qt's file-system model: one read at a time; a read asked for while one is under way
// runs again once it ends (what it read may have changed meanwhile); reads asked for in a row
// are batched into one; and a cancel stops the read under way at its next item and drops what
// it found, so that the program can end at once whatever is being read.
//
// Everything but Work runs on the thread the reader was made on.
template <typename Result> class BackgroundReader
{
public:
    // What the thread does: reads, looking at stop between items, and gives back what it found.
    using Work = std::function<Result(std::stop_token stop)>;
    // When a read is due: the work with what is to be read now; nothing when nothing is.
    using Prepare = std::function<std::optional<Work>()>;
    // What a read that ran to its end found.
    using Take = std::function<void(Result)>;

    BackgroundReader(Prepare prepare, Take take, std::chrono::milliseconds batchDelay)
        : m_prepare(std::move(prepare)), m_take(std::move(take))
    {
        m_batch.setSingleShot(true);
        m_batch.setInterval(batchDelay);
        QObject::connect(&m_batch, &QTimer::timeout, [this] { read(); });
    }
    ~BackgroundReader() { cancel(); }
    BackgroundReader(const BackgroundReader &) = delete;
    BackgroundReader &operator=(const BackgroundReader &) = delete;

    // Reads now, or again as soon as the read under way has ended.
    void read()
    {
        if (m_cancelled)
            return;
        m_batch.stop();
        if (m_thread) {
            m_changedMeanwhile = true;
            return;
        }
        std::optional<Work> work = m_prepare();
        if (!work)
            return;
        m_stop = std::stop_source();
        m_thread.reset(QThread::create([this, work = std::move(*work), stop = m_stop.get_token()] {
            m_arrived = work(stop);
        }));
        // Queued to this thread by the timer's affinity: taken between two events.
        QObject::connect(m_thread.get(), &QThread::finished, &m_batch, [this] { takeArrived(); });
        // Reading takes little stack; what a thread touches of its stack stays with the process.
        m_thread->setStackSize(threadStack);
        m_thread->start(QThread::LowPriority);
    }

    // Reads once no further call has come for the batch delay: many changes, one read.
    void readSoon()
    {
        if (!m_cancelled)
            m_batch.start();
    }

    // Stops the read under way, waits the moment it takes to notice, and reads nothing more.
    void cancel()
    {
        m_cancelled = true;
        m_batch.stop();
        if (!m_thread)
            return;
        m_stop.request_stop();
        m_thread->wait();
        m_thread.reset();
        m_arrived.reset();
    }

    bool busy() const { return m_thread != nullptr || m_batch.isActive(); }

private:
    static constexpr uint threadStack = 512 * 1024;

    void takeArrived()
    {
        if (!m_thread) // cancelled after the thread had ended, before this was delivered
            return;
        m_thread->wait();
        m_thread.reset();
        std::optional<Result> arrived = std::exchange(m_arrived, std::nullopt);
        m_take(std::move(*arrived));
        if (std::exchange(m_changedMeanwhile, false))
            read();
    }

    const Prepare m_prepare;
    const Take m_take;
    QTimer m_batch;
    std::unique_ptr<QThread> m_thread;
    std::stop_source m_stop;
    std::optional<Result> m_arrived; // written by the thread, taken once it has ended
    bool m_changedMeanwhile = false;
    bool m_cancelled = false;
};

} // namespace platform
