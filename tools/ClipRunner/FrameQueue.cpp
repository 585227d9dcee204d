#include "tools/ClipRunner/FrameQueue.h"

bool FrameQueue::Push(std::unique_ptr<Picture> picture)
{
    std::unique_lock<std::mutex> hold(m_lock);
    m_changed.wait(hold, [&] {
        return m_aborted || picture->serial != m_wanted || m_pictures.size() < m_capacity;
    });
    if (m_aborted || picture->serial != m_wanted)
        return false;
    m_pictures.push_back(std::move(picture));
    return true;
}

void FrameQueue::MarkEnded(int serial)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_ended = serial;
}

void FrameQueue::Retarget(int serial)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_wanted = serial;
    m_pictures.clear();
    m_changed.notify_all();
}

Picture* FrameQueue::Front()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_pictures.empty() ? nullptr : m_pictures.front().get();
}

Picture* FrameQueue::Second()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_pictures.size() < 2 ? nullptr : m_pictures[1].get();
}

std::unique_ptr<Picture> FrameQueue::Pop()
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_pictures.empty())
        return nullptr;
    std::unique_ptr<Picture> picture = std::move(m_pictures.front());
    m_pictures.pop_front();
    m_changed.notify_all();
    return picture;
}

bool FrameQueue::Ended() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_ended == m_wanted && m_pictures.empty();
}

void FrameQueue::Abort()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_aborted = true;
    m_changed.notify_all();
}
