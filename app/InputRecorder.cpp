// Input recorder list and timing.
#include "app/InputRecorder.h"

namespace {
constexpr unsigned kWmKeyDown = 0x0100;
constexpr unsigned kWmSysKeyDown = 0x0104;
constexpr unsigned kVkF2 = 0x71;
} // namespace

void InputRecording::Append(const RecordedEvent& e, uint32_t now) {
    if (m_recording.empty())
        m_recordStart = now;
    m_recording.push_back(e);
}

void InputRecording::DropTrailingKeyDowns() {
    while (!m_recording.empty() && (m_recording.back().message == kWmKeyDown ||
                                    m_recording.back().message == kWmSysKeyDown))
        m_recording.pop_back();
}

bool InputRecording::BeginPlayback(uint32_t now) {
    m_playing.clear();
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
    if (!m_playing.empty())
        m_playing.pop_front();
    return !m_playing.empty();
}

bool IsRecordStopKey(const RecordedEvent& e) {
    return (e.message == kWmKeyDown || e.message == kWmSysKeyDown) && (e.paramL & 0xFF) == kVkF2;
}
