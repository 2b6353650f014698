#include "FileBatchWriter.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

namespace corvano {

// The files prepared and not yet placed, in list order. Bounded, because each may hold an
// open descriptor. Each side wakes the other only when it waits, and the preparing side only
// once half the room is free again, so that the two do not wake each other for every file.
class FileBatchWriter::Handoff
{
public:
    struct Prepared
    {
        std::unique_ptr<Folder::PreparedFile> file;
        std::exception_ptr failure;
    };

    // Waits for room; false, with nothing handed over, once a stop is requested.
    bool put(Prepared prepared, std::stop_token stop)
    {
        std::unique_lock lock(m_mutex);
        if (m_waiting.size() >= kAhead) {
            m_putterWaits = true;
            const bool room = m_roomFreed.wait(lock, stop, [this] { return !m_putterWaits; });
            if (!room)
                return false;
        }
        m_waiting.push_back(std::move(prepared));
        if (m_takerWaits) {
            m_takerWaits = false;
            m_fileReady.notify_one();
        }
        return true;
    }

    // Waits for the next file in list order.
    Prepared take()
    {
        std::unique_lock lock(m_mutex);
        if (m_waiting.empty()) {
            m_takerWaits = true;
            m_fileReady.wait(lock, [this] { return !m_waiting.empty(); });
        }
        Prepared next = std::move(m_waiting.front());
        m_waiting.pop_front();
        if (m_putterWaits && m_waiting.size() <= kAhead / 2) {
            m_putterWaits = false;
            m_roomFreed.notify_one();
        }
        return next;
    }

private:
    static constexpr std::size_t kAhead = 16;

    std::mutex m_mutex;
    std::condition_variable m_fileReady;
    std::condition_variable_any m_roomFreed; // also wakes on a stop request
    std::deque<Prepared> m_waiting;
    bool m_takerWaits = false;
    bool m_putterWaits = false;
};

void FileBatchWriter::write(const std::vector<File>& files)
{
    // Declared first, so that files prepared but never placed are dropped only after the
    // preparing thread has ended.
    Handoff handoff;
    // On the way out, early or not, the thread is asked to stop and joined.
    std::jthread preparer(
        [this, &files, &handoff](std::stop_token stop) { prepareAll(files, handoff, stop); });
    for (std::size_t placed = 0; placed < files.size(); ++placed) {
        Handoff::Prepared next = handoff.take();
        if (next.failure)
            std::rethrow_exception(next.failure);
        next.file->place();
    }
}

void FileBatchWriter::prepareAll(const std::vector<File>& files, Handoff& handoff,
                                 std::stop_token stop)
{
    for (const File& file : files) {
        if (stop.stop_requested()) // a file could not be named: the rest would only be dropped
            return;
        Handoff::Prepared prepared;
        try {
            prepared.file = m_folder.prepareFile(file.name, file.bytes, m_durability);
        } catch (...) {
            prepared.failure = std::current_exception();
        }
        const bool failed = prepared.failure != nullptr;
        if (!handoff.put(std::move(prepared), stop) || failed)
            return;
    }
}

} // namespace corvano
