// Reading tips.txt.
#include "core/TipsFile.h"

namespace {

// A file read through the C library.
class FileSource {
public:
    explicit FileSource(std::FILE* f) : m_f(f) {}
    long long Size() {
        if (std::fseek(m_f, 0, SEEK_END) != 0)
            return -1;
        return std::ftell(m_f);
    }
    bool Seek(long long pos) {
        m_pos = pos;
        return pos <= kLongMax && std::fseek(m_f, static_cast<long>(pos), SEEK_SET) == 0;
    }
    // The next byte, or -1 at the end.
    int Get() {
        int c = std::getc(m_f);
        if (c != EOF)
            ++m_pos;
        return c;
    }
    bool Failed() const { return std::ferror(m_f) != 0; }
    long long Tell() const { return m_pos; }

private:
    static constexpr long long kLongMax = 0x7FFFFFFFLL; // a long has 32 bits on Windows
    std::FILE* m_f;
    long long m_pos = 0;
};

// A file's contents in memory.
class BufferSource {
public:
    explicit BufferSource(const std::string& s) : m_s(s) {}
    long long Size() const { return static_cast<long long>(m_s.size()); }
    bool Seek(long long pos) {
        m_pos = static_cast<std::size_t>(pos);
        return true;
    }
    int Get() { return m_pos < m_s.size() ? static_cast<unsigned char>(m_s[m_pos++]) : -1; }
    bool Failed() const { return false; }
    long long Tell() const { return static_cast<long long>(m_pos); }

private:
    const std::string& m_s;
    std::size_t m_pos = 0;
};

constexpr unsigned char kBom[] = {0xEF, 0xBB, 0xBF};

// Reads one piece of a line into `piece` (without its line end); false at
// the end of the file with nothing read.
template <class Source> bool ReadPiece(Source& src, std::string& piece) {
    piece.clear();
    const long long start = src.Tell();
    bool any = false;
    for (;;) {
        int c = src.Get();
        if (c < 0)
            break;
        any = true;
        if (c == '\n')
            break;
        piece.push_back(static_cast<char>(c));
        if (piece.size() == kTipPieceMax)
            break;
    }
    if (!piece.empty() && piece.back() == '\r')
        piece.pop_back();
    if (start == 0 && piece.compare(0, 3, reinterpret_cast<const char*>(kBom), 3) == 0)
        piece.erase(0, 3);
    return any;
}

bool IsTip(const std::string& piece) {
    return !piece.empty() && piece[0] != ' ' && piece[0] != '\t' && piece[0] != ';';
}

template <class Source>
TipResult ReadNext(Source& src, long long& position, std::string& tip, bool fromLineStart) {
    const long long size = src.Size();
    if (size < 0)
        return TipResult::ReadError;
    if (position < 0 || position > size)
        position = 0;
    if (!src.Seek(fromLineStart && position > 0 ? position - 1 : position))
        return TipResult::ReadError;
    if (fromLineStart && position > 0) {
        int c;
        while ((c = src.Get()) >= 0 && c != '\n') {
        }
    }
    std::string piece;
    // Once to the end, then once more from the top: a file with no tip line
    // has been read whole by then.
    for (int ends = 0; ends < 2;) {
        if (!ReadPiece(src, piece)) {
            if (src.Failed())
                return TipResult::ReadError;
            ++ends;
            if (!src.Seek(0))
                return TipResult::ReadError;
            continue;
        }
        if (IsTip(piece)) {
            tip = piece;
            position = src.Tell();
            return TipResult::Found;
        }
    }
    return TipResult::NoTip;
}

} // namespace

TipResult ReadNextTip(std::FILE* file, long long& position, std::string& tip, bool fromLineStart) {
    if (!file)
        return TipResult::ReadError;
    FileSource src(file);
    return ReadNext(src, position, tip, fromLineStart);
}

TipResult ReadNextTip(const std::string& contents, long long& position, std::string& tip,
                      bool fromLineStart) {
    BufferSource src(contents);
    return ReadNext(src, position, tip, fromLineStart);
}

std::string TipsTimeStamp(std::time_t created) {
    const char* text = std::ctime(&created);
    std::string stamp = text ? text : "";
    while (!stamp.empty() && (stamp.back() == '\n' || stamp.back() == ' ' || stamp.back() == '\t' ||
                              stamp.back() == '\r'))
        stamp.pop_back();
    return stamp;
}

bool TipsFile::Open(const std::string& path) {
    Close();
    m_file = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
    return m_file != nullptr;
}

void TipsFile::Close() {
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}

TipResult TipsFile::Next(std::string& tip) {
    const bool fromLineStart = m_fromLineStart;
    m_fromLineStart = false;
    return ReadNextTip(m_file, m_position, tip, fromLineStart);
}
