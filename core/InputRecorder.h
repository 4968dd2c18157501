// The input recorder's list: events recorded with their times, played back
// with the same spacing, consumed as they are played.
#pragma once

#include <bitset>
#include <cstdint>
#include <deque>
#include <vector>

struct RecordedEvent {
    unsigned message = 0; // WM_KEYDOWN, WM_MOUSEMOVE, ...
    unsigned paramL = 0;  // key: virtual key (low byte) and scan code; mouse: x
    unsigned paramH = 0;  // key: repeat and flags; mouse: y
    uint32_t time = 0;    // milliseconds since system start
};

class InputRecording {
public:
    // Appends an event; the first event of a list notes `now` as the list's
    // recording start. A key-up whose key-down the list does not hold (the
    // keys of the hotkey that started the recording) is left out: played
    // back, it would release a key the user holds.
    void Append(const RecordedEvent& e, uint32_t now);
    bool Empty() const { return m_recording.empty(); }
    // Drops the hotkey that stopped the recording, which would otherwise start
    // a recording again when played: the presses at the end of the list, and
    // those of their releases that reached the list before the stop did.
    void DropStopHotkey();
    std::size_t Size() const { return m_recording.size(); }

    // Starts playback of the recorded list. The list moves to the player, so
    // a recording made during playback starts a new list. Returns false when
    // there is nothing to play.
    bool BeginPlayback(uint32_t now);
    bool Playing() const { return !m_playing.empty(); }
    // The current event stamped for playback (recorded time + offset) and the
    // wait in milliseconds until it is due; an event already due is stamped
    // with `now` and has no wait.
    RecordedEvent CurrentEvent(uint32_t now, uint32_t& waitMs) const;
    // Drops the played event. Returns false when the list is used up.
    bool Advance();
    // The virtual keys the played events pressed and did not release; the
    // player releases them when the list is used up.
    std::vector<unsigned> KeysLeftDown() const;

private:
    std::deque<RecordedEvent> m_recording;
    std::deque<RecordedEvent> m_playing;
    uint32_t m_recordStart = 0;
    uint32_t m_playStartRecord = 0;
    uint32_t m_offset = 0;
    std::bitset<256> m_recordedDown; // keys down at the end of the recorded list
    std::bitset<256> m_playedDown;   // keys down after the events played so far
};

// True for the key-down of F2, which stops recording and is not recorded.
bool IsRecordStopKey(const RecordedEvent& e);
