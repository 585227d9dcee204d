#include "tools/ClipRunner/SubtitleQueue.h"

#include <algorithm>

bool SubtitleQueue::Push(std::shared_ptr<const Subtitle> subtitle, double from, double until, int serial)
{
    std::unique_lock<std::mutex> hold(m_lock);
    m_changed.wait(hold, [&] { return m_aborted || serial != m_wanted || m_entries.size() < m_capacity; });
    if (m_aborted || serial != m_wanted)
        return false;
    EndOpenEntries(from);
    if (subtitle->text.empty() && subtitle->bitmaps.empty())
        return true;
    m_entries.push_back({std::move(subtitle), from, until});
    return true;
}

void SubtitleQueue::EndOpenEntries(double at)
{
    for (Entry& entry : m_entries)
        if (entry.until == kUntilNext)
            entry.until = at;
}

void SubtitleQueue::Retarget(int serial)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_wanted = serial;
    m_entries.clear();
    m_changed.notify_all();
}

SubtitlesOnScreen SubtitleQueue::OnScreen(double now)
{
    std::lock_guard<std::mutex> hold(m_lock);
    size_t before = m_entries.size();
    SubtitlesOnScreen screen;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (it->until <= now) {
            screen.since = std::max(screen.since, it->until);
            it = m_entries.erase(it);
            continue;
        }
        if (it->from <= now) {
            screen.shown.push_back(it->subtitle);
            screen.since = std::max(screen.since, it->from);
        }
        ++it;
    }
    if (m_entries.size() != before)
        m_changed.notify_all();
    return screen;
}

void SubtitleQueue::Abort()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_aborted = true;
    m_changed.notify_all();
}
