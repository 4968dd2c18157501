// Input recorder list and timing.
#include "core/InputRecorder.h"

namespace {
constexpr unsigned kWmKeyDown = 0x0100;
constexpr unsigned kWmKeyUp = 0x0101;
constexpr unsigned kWmSysKeyDown = 0x0104;
constexpr unsigned kWmSysKeyUp = 0x0105;
constexpr unsigned kVkF2 = 0x71;

bool IsKeyDown(const RecordedEvent& e) {
    return e.message == kWmKeyDown || e.message == kWmSysKeyDown;
}
bool IsKeyUp(const RecordedEvent& e) {
    return e.message == kWmKeyUp || e.message == kWmSysKeyUp;
}
unsigned VirtualKey(const RecordedEvent& e) {
    return e.paramL & 0xFF;
}

// Follows which keys a run of events leaves pressed.
void TrackKey(std::bitset<256>& down, const RecordedEvent& e) {
    if (IsKeyDown(e))
        down.set(VirtualKey(e));
    else if (IsKeyUp(e))
        down.reset(VirtualKey(e));
}

} // namespace

void InputRecording::Append(const RecordedEvent& e, uint32_t now) {
    if (m_recording.empty())
        m_recordedDown.reset();
    if (IsKeyUp(e) && !m_recordedDown.test(VirtualKey(e)))
        return;
    if (m_recording.empty())
        m_recordStart = now;
    TrackKey(m_recordedDown, e);
    m_recording.push_back(e);
}

void InputRecording::DropStopHotkey() {
    std::size_t end = m_recording.size();
    while (end > 0 && IsKeyUp(m_recording[end - 1]))
        --end;
    std::bitset<256> pressed;
    std::size_t begin = end;
    while (begin > 0 && IsKeyDown(m_recording[begin - 1]))
        pressed.set(VirtualKey(m_recording[--begin]));
    // Of the releases after the presses, those of other keys stay.
    auto kept = m_recording.begin() + static_cast<std::ptrdiff_t>(begin);
    for (std::size_t i = end; i < m_recording.size(); ++i)
        if (!pressed.test(VirtualKey(m_recording[i])))
            *kept++ = m_recording[i];
    m_recording.erase(kept, m_recording.end());
    m_recordedDown &= ~pressed;
}

bool InputRecording::BeginPlayback(uint32_t now) {
    m_playing.clear();
    m_playedDown.reset();
    if (m_recording.empty())
        return false;
    m_playing.swap(m_recording);
    // Unsigned arithmetic: tick wrap-around keeps the spacing right.
    m_offset = now - m_recordStart;
    return true;
}

RecordedEvent InputRecording::CurrentEvent(uint32_t now, uint32_t& waitMs) const {
    RecordedEvent e = m_playing.front();
    e.time += m_offset;
    int32_t wait = static_cast<int32_t>(e.time - now);
    if (wait <= 0) {
        waitMs = 0;
        e.time = now;
    } else {
        waitMs = static_cast<uint32_t>(wait);
    }
    return e;
}

bool InputRecording::Advance() {
    if (!m_playing.empty()) {
        TrackKey(m_playedDown, m_playing.front());
        m_playing.pop_front();
    }
    return !m_playing.empty();
}

std::vector<unsigned> InputRecording::KeysLeftDown() const {
    std::vector<unsigned> keys;
    for (unsigned vk = 0; vk < m_playedDown.size(); ++vk)
        if (m_playedDown.test(vk))
            keys.push_back(vk);
    return keys;
}

bool IsRecordStopKey(const RecordedEvent& e) {
    return IsKeyDown(e) && VirtualKey(e) == kVkF2;
}
