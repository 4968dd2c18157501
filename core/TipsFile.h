// Reading tips.txt, the Tip of the Day file: one tip per line, taken in turn
// from a remembered byte position, wrapping round at the end of the file.
#pragma once

#include <cstdio>
#include <ctime>
#include <string>

// A line is taken in pieces of at most this many bytes (its line end not
// counted); the rest of a longer line is read as the following line.
constexpr std::size_t kTipPieceMax = 999;

enum class TipResult {
    Found,     // the tip and the position after it
    NoTip,     // the file holds no tip line at all (empty, or only comments)
    ReadError, // the file could not be read or positioned
};

// Finds the next tip at or after byte `position`, wrapping round to the top
// of the file at its end. A line that starts with a space, a tab or a
// semicolon, and an empty line, is no tip. `tip` gets the tip without its
// line end, `position` the offset just after it. A position before the top
// or beyond the end of the file (a hand-edited profile) starts from the top.
// A UTF-8 byte order mark at the top of the file is not part of its first
// line. The search reads the file at most twice, so it ends on any file.
// With `fromLineStart`, a position inside a line (a file edited since the
// position was stored) goes on from the start of the next line, so that no
// tail of a line, say of a comment, shows as a tip.
TipResult ReadNextTip(std::FILE* file, long long& position, std::string& tip,
                      bool fromLineStart = false);
// The same on a file's contents held in memory.
TipResult ReadNextTip(const std::string& contents, long long& position, std::string& tip,
                      bool fromLineStart = false);

// The profile's stamp for a tips file: its creation time in the C library's
// ctime form ("Wed Jun 30 21:49:08 1993", local time), without the line end.
// A changed stamp means a new file, which is read from the top.
std::string TipsTimeStamp(std::time_t created);

// An open tips file and the position of the next tip in it.
class TipsFile {
public:
    TipsFile() = default;
    ~TipsFile() { Close(); }
    TipsFile(const TipsFile&) = delete;
    TipsFile& operator=(const TipsFile&) = delete;

    // Opens the file for reading (binary: positions are byte offsets).
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

    // A stored position: the first tip read after it starts on a line.
    void SetPosition(long long position) {
        m_position = position;
        m_fromLineStart = true;
    }
    long long Position() const { return m_position; }

    // The next tip from the position, which then stands after it.
    TipResult Next(std::string& tip);

private:
    std::FILE* m_file = nullptr;
    long long m_position = 0;
    bool m_fromLineStart = false;
};
