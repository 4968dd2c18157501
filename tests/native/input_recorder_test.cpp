// The input recorder's list and its playback timing.
#include <gtest/gtest.h>

#include <vector>

#include "core/InputRecorder.h"

namespace {
constexpr unsigned kKeyDown = 0x0100, kKeyUp = 0x0101, kSysKeyDown = 0x0104, kSysKeyUp = 0x0105,
                   kMouseMove = 0x0200;

// Plays the whole list at the moments the player asks for, as a system
// that honours every wait exactly would.
std::vector<RecordedEvent> PlayAll(InputRecording& rec, uint32_t start) {
    std::vector<RecordedEvent> out;
    uint32_t now = start, wait = 0;
    if (!rec.BeginPlayback(now))
        return out;
    do {
        rec.CurrentEvent(now, wait);
        out.push_back(rec.CurrentEvent(now += wait, wait));
    } while (rec.Advance());
    return out;
}
} // namespace

// Events keep their recorded spacing, across the wrap of the tick count too; one already due is
// stamped with the moment it is asked for and has no wait, and moves none of the later ones.
TEST(InputRecorder, PlaybackTiming) {
    InputRecording rec;
    // Recorded at 16 ticks before the wrap, then 40 and 300 ticks later.
    rec.Append({kKeyDown, 'A', 0, 0xFFFFFFF0u}, 0xFFFFFFF0u);
    rec.Append({kKeyUp, 'A', 0, 0x18u}, 0x18u);
    rec.Append({kMouseMove, 10, 20, 0x11Cu}, 0x11Cu);
    ASSERT_TRUE(rec.BeginPlayback(5000));
    const struct {
        uint32_t asked, wait, time;
    } steps[] = {{5000, 0, 5000}, {5050, 0, 5050}, {5290, 10, 5300}};
    for (const auto& s : steps) {
        uint32_t wait = 99;
        EXPECT_EQ(rec.CurrentEvent(s.asked, wait).time, s.time) << s.asked;
        EXPECT_EQ(wait, s.wait) << s.asked;
        rec.Advance();
    }
}

TEST(InputRecorder, PlaybackConsumesTheListButNotOneRecordedMeanwhile) {
    InputRecording rec;
    EXPECT_FALSE(rec.BeginPlayback(0)) << "an empty list plays nothing";
    rec.Append({kKeyDown, 'A', 0, 10}, 10);
    rec.Append({kKeyUp, 'A', 0, 20}, 20);
    ASSERT_TRUE(rec.BeginPlayback(1000));
    rec.Append({kKeyDown, 'B', 0, 1005}, 1005); // a new list, from 1005
    uint32_t wait = 0;
    EXPECT_EQ(rec.CurrentEvent(1000, wait).paramL, unsigned('A'));
    ASSERT_TRUE(rec.Advance());
    EXPECT_FALSE(rec.Advance());
    EXPECT_FALSE(rec.Playing());
    std::vector<RecordedEvent> p = PlayAll(rec, 3000);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].time, 3000u);
    EXPECT_FALSE(rec.BeginPlayback(4000)) << "a played list is gone";
}

TEST(InputRecorder, StopKeyAndTrailingHotkeyPress) {
    struct Case {
        RecordedEvent e;
        bool stops;
    } cases[] = {
        {{kKeyDown, 0x71, 0, 0}, true},
        {{kKeyDown, 0x3C71, 0, 0}, true}, // scan code in the high byte
        {{kSysKeyDown, 0x71, 0, 0}, true},
        {{kKeyUp, 0x71, 0, 0}, false},
        {{kKeyDown, 0x70, 0, 0}, false},
        {{kMouseMove, 0x71, 0, 0}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsRecordStopKey(c.e), c.stops) << c.e.message << " " << c.e.paramL;

    // The stop hotkey's presses end the list; its releases can reach the list before the stop
    // does, and go with them. Played back, they would start a recording again.
    const std::vector<RecordedEvent> typed = {{kKeyDown, 'Z', 0, 1}, {kKeyUp, 'Z', 0, 2}};
    const std::vector<std::vector<RecordedEvent>> stops = {
        {{kKeyDown, 0x11, 0, 3}, {kSysKeyDown, 0x12, 0, 4}, {kSysKeyDown, 'R', 0, 5}},
        {{kKeyDown, 0x11, 0, 3},
         {kSysKeyDown, 0x12, 0, 4},
         {kSysKeyDown, 'R', 0, 5},
         {kSysKeyUp, 'R', 0, 6},
         {kKeyUp, 0x12, 0, 7},
         {kKeyUp, 0x11, 0, 8}},
    };
    for (const auto& stop : stops) {
        InputRecording rec;
        for (const auto& list : {typed, stop})
            for (const RecordedEvent& e : list)
                rec.Append(e, e.time);
        rec.DropStopHotkey();
        EXPECT_EQ(rec.Size(), 2u) << stop.size() << " events of the hotkey";
        EXPECT_EQ(PlayAll(rec, 100).size(), 2u);
        EXPECT_TRUE(rec.KeysLeftDown().empty());
    }
}

TEST(InputRecorder, TheKeyboardIsLeftAsTheUserHadIt) {
    constexpr unsigned kCtrl = 0x11, kAlt = 0x12;
    InputRecording rec;
    // The recording starts inside the Ctrl+Alt+R that started it: the releases
    // of keys whose presses it never saw are not kept.
    rec.Append({kSysKeyUp, 'R', 0, 10}, 10);
    rec.Append({kSysKeyUp, kAlt, 0, 11}, 11);
    rec.Append({kKeyUp, kCtrl, 0, 12}, 12);
    EXPECT_TRUE(rec.Empty());
    rec.Append({kMouseMove, 5, 5, 20}, 20);
    rec.Append({kKeyDown, 'A', 0, 30}, 30);
    rec.Append({kKeyUp, 'A', 0, 31}, 31);
    // The stop hotkey typed with a mouse move between Ctrl and Alt+R: only the
    // trailing presses can be dropped, so the list presses Ctrl and never
    // releases it.
    rec.Append({kKeyDown, kCtrl, 0, 40}, 40);
    rec.Append({kMouseMove, 6, 6, 41}, 41);
    rec.Append({kSysKeyDown, kAlt, 0, 42}, 42);
    rec.Append({kSysKeyDown, 'R', 0, 43}, 43);
    rec.DropStopHotkey();
    EXPECT_EQ(rec.Size(), 5u);
    EXPECT_EQ(PlayAll(rec, 100).size(), 5u);
    EXPECT_EQ(rec.KeysLeftDown(), std::vector<unsigned>{kCtrl}) << "the player releases Ctrl";

    // A list that releases what it presses leaves nothing to release.
    rec.Append({kKeyDown, 'B', 0, 50}, 50);
    rec.Append({kKeyUp, 'B', 0, 51}, 51);
    PlayAll(rec, 200);
    EXPECT_TRUE(rec.KeysLeftDown().empty());
}
