// Scheme library files and table operations.
#include "core/SkinScheme.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>

#include "core/FileReplace.h"

namespace {

constexpr int kNameLength = kSkinNameSize - 1;

// The 15 numbers of a scheme block in file order.
template <typename Scheme> auto BlockNumbers(Scheme& s) -> std::array<decltype(&s.sampleRed), 15> {
    return {&s.buttonLook.red,
            &s.buttonLook.green,
            &s.buttonLook.blue,
            &s.dialogLook.red,
            &s.dialogLook.green,
            &s.dialogLook.blue,
            &s.sampleRed,
            &s.sampleGreen,
            &s.sampleBlue,
            &s.buttonLook.mode,
            &s.buttonLook.granularity,
            &s.buttonLook.coloring,
            &s.dialogLook.mode,
            &s.dialogLook.granularity,
            &s.dialogLook.coloring};
}

constexpr bool IsBlank(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Character classes of the files, one flag a byte.
struct CharClass {
    bool in[256] = {};
    template <typename Rule> explicit constexpr CharClass(Rule rule) {
        for (int c = 0; c < 256; ++c)
            in[c] = rule(c);
    }
};
constexpr CharClass kBlanks([](int c) { return IsBlank(c); });
constexpr CharClass kTokenChars([](int c) { return !IsBlank(c); });
constexpr CharClass kDigits([](int c) { return c >= '0' && c <= '9'; });
constexpr CharClass kZeros([](int c) { return c == '0'; });

// Scans values the way the files are written: white space separates them, numbers are signed
// decimals, a name is one token. After the first failure every later scan fails too, so a
// damaged file never shifts values into the wrong fields. A file is read in chunks and long
// runs (blanks, a token's tail, a number's digits) are skipped a chunk at a time, so even a huge
// damaged file costs one quick pass over its bytes and a fixed amount of memory.
class SchemeScanner {
public:
    explicit SchemeScanner(std::FILE* file) : m_file(file), m_buffer(new char[kChunk]) {}
    explicit SchemeScanner(std::string_view text)
        : m_next(text.data()), m_end(text.data() + text.size()) {}

    // A number that does not scan, or does not fit 32 bits, leaves value untouched.
    bool Int(int& value) {
        int c = SkipBlanks();
        bool negative = false;
        if (c == '+' || c == '-') {
            negative = c == '-';
            c = Get();
        }
        if (c == '0')
            c = Skip(kZeros);
        else if (c < '1' || c > '9')
            return Fail();
        long long magnitude = 0;
        const long long limit = negative ? -static_cast<long long>(std::numeric_limits<int>::min())
                                         : std::numeric_limits<int>::max();
        for (; c >= '0' && c <= '9'; c = Get()) {
            magnitude = magnitude * 10 + (c - '0');
            if (magnitude > limit) {
                Skip(kDigits);
                Unget();
                return Fail();
            }
        }
        if (c != EOF)
            Unget();
        value = static_cast<int>(negative ? -magnitude : magnitude);
        return true;
    }

    // Keeps the first 19 characters of the token; the rest of the token is skipped.
    bool Name(char (&name)[kSkinNameSize]) {
        int c = SkipBlanks();
        if (c == EOF)
            return Fail();
        char token[kSkinNameSize];
        int length = 0;
        for (; c != EOF && !IsBlank(c); c = Get()) {
            if (length == kNameLength) {
                c = Skip(kTokenChars);
                break;
            }
            token[length++] = static_cast<char>(c);
        }
        if (c != EOF)
            Unget();
        token[length] = '\0';
        std::memcpy(name, token, sizeof token);
        return true;
    }

private:
    static constexpr std::size_t kChunk = 64 * 1024;

    int Get() {
        if (m_next == m_end && !Refill())
            return EOF;
        return static_cast<unsigned char>(*m_next++);
    }

    // Steps back over the character Get() or Skip() just returned; it is still in the buffer.
    // Nothing to step back over after EOF.
    void Unget() {
        if (!m_atEnd)
            --m_next;
    }

    // Consumes the characters of a class; returns the first one outside it (consumed, as Get()
    // returns it) or EOF.
    int Skip(const CharClass& chars) {
        for (;;) {
            const char* p = m_next;
            const char* const end = m_end;
            while (p != end && chars.in[static_cast<unsigned char>(*p)])
                ++p;
            m_next = p;
            if (p != end) {
                ++m_next;
                return static_cast<unsigned char>(*p);
            }
            if (!Refill())
                return EOF;
        }
    }

    bool Refill() {
        if (m_file) {
            const std::size_t got = std::fread(m_buffer.get(), 1, kChunk, m_file);
            m_next = m_buffer.get();
            m_end = m_next + got;
            if (got > 0)
                return true;
        }
        m_atEnd = true;
        return false;
    }

    int SkipBlanks() {
        if (m_failed)
            return EOF;
        return Skip(kBlanks);
    }

    bool Fail() {
        m_failed = true;
        return false;
    }

    std::FILE* m_file = nullptr;
    std::unique_ptr<char[]> m_buffer;
    const char* m_next = nullptr;
    const char* m_end = nullptr;
    bool m_atEnd = false;
    bool m_failed = false;
};

// Scans one block: the name into name, the numbers into scheme. Returns the values scanned.
int ScanBlock(SchemeScanner& in, char (&name)[kSkinNameSize], SkinScheme& scheme) {
    if (!in.Name(name))
        return 0;
    int scanned = 1;
    for (int* number : BlockNumbers(scheme)) {
        if (!in.Int(*number))
            break;
        ++scanned;
    }
    return scanned;
}

void AppendBlock(std::string& text, const SkinScheme& scheme) {
    char name[kSkinNameSize];
    MakeSchemeName(scheme.name, name);
    text += name;
    text += '\n';
    for (const int* number : BlockNumbers(scheme)) {
        text += std::to_string(*number);
        text += '\n';
    }
}

bool PutText(std::FILE* file, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), file) == text.size();
}

int ClampCount(int count) {
    if (count < 0)
        return 0;
    return count > SkinSchemeTable::kCapacity ? SkinSchemeTable::kCapacity : count;
}

void CopyValues(const SkinScheme& from, SkinScheme& to) {
    to.dialogLook = from.dialogLook;
    to.buttonLook = from.buttonLook;
    to.sampleRed = from.sampleRed;
    to.sampleGreen = from.sampleGreen;
    to.sampleBlue = from.sampleBlue;
}

// Reads the count and that many schemes (at most the table's capacity) into the table.
void ReadTable(SchemeScanner& in, SkinSchemeTable& table) {
    int count = table.count;
    if (!in.Int(count))
        return;
    table.count = ClampCount(count);
    for (int n = 1; n <= table.count; ++n) {
        SkinScheme& scheme = table.Scheme(n);
        if (ScanBlock(in, scheme.name, scheme) < kSchemeBlockValues)
            break;
    }
}

void HandNames(const SkinSchemeTable& table, const std::function<void(const char* name)>& onName) {
    if (!onName)
        return;
    for (int n = 1; n <= ClampCount(table.count); ++n)
        onName(table.Scheme(n).name);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenForReading(const std::string& path) {
    return FilePtr(std::fopen(path.c_str(), "r"));
}

} // namespace

std::size_t Utf8CutLength(const char* text, std::size_t length, std::size_t maxBytes) {
    if (length <= maxBytes)
        return length;
    // A continuation byte (10xxxxxx) at the cut would split its character.
    std::size_t cut = maxBytes;
    for (int back = 0;
         back < 3 && cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80; ++back)
        --cut;
    return (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80 ? maxBytes : cut;
}

void MakeSchemeName(const char* text, char (&name)[kSkinNameSize]) {
    if (!text)
        text = "";
    const std::size_t length =
        Utf8CutLength(text, std::strlen(text), static_cast<std::size_t>(kNameLength));
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        name[i] = (c < 0x20 || c == 0x7F || c == ' ') ? '_' : static_cast<char>(c);
    }
    name[length] = '\0';
    if (length == 0)
        std::memcpy(name, "Unnamed", sizeof "Unnamed");
}

bool ReadSchemeFile(const std::string& path, SkinSchemeTable& table,
                    const std::function<void(const char* name)>& onName) {
    FilePtr file = OpenForReading(path);
    if (!file)
        return false;
    SchemeScanner in(file.get());
    ReadTable(in, table);
    file.reset();
    HandNames(table, onName);
    return true;
}

void ReadSchemeText(std::string_view text, SkinSchemeTable& table,
                    const std::function<void(const char* name)>& onName) {
    SchemeScanner in(text);
    ReadTable(in, table);
    HandNames(table, onName);
}

std::string SchemeFileText(const SkinSchemeTable& table) {
    const int count = ClampCount(table.count);
    std::string text = std::to_string(count) + "\n";
    for (int n = 1; n <= count; ++n)
        AppendBlock(text, table.Scheme(n));
    return text;
}

bool WriteSchemeFile(const std::string& path, const SkinSchemeTable& table) {
    const std::string text = SchemeFileText(table);
    return WriteFileReplacing(path, [&](std::FILE* file) { return PutText(file, text); });
}

int ReadSchemeBlock(const std::string& path, SkinScheme& scheme) {
    FilePtr file = OpenForReading(path);
    if (!file)
        return -1;
    SchemeScanner in(file.get());
    return ScanBlock(in, scheme.name, scheme);
}

int ReadSchemeBlockText(std::string_view text, SkinScheme& scheme) {
    SchemeScanner in(text);
    return ScanBlock(in, scheme.name, scheme);
}

std::string SchemeBlockText(const SkinScheme& scheme) {
    std::string text;
    AppendBlock(text, scheme);
    return text;
}

bool WriteSchemeBlock(const std::string& path, const SkinScheme& scheme) {
    const std::string text = SchemeBlockText(scheme);
    return WriteFileReplacing(path, [&](std::FILE* file) { return PutText(file, text); });
}

int StoreScheme(SkinSchemeTable& table, const char* name, const SkinScheme& values) {
    char key[kSkinNameSize];
    MakeSchemeName(name, key);
    const int count = ClampCount(table.count);
    for (int n = 1; n <= count; ++n) {
        if (std::strncmp(table.Scheme(n).name, key, kSkinNameSize) == 0) {
            CopyValues(values, table.Scheme(n));
            return n;
        }
    }
    if (count == SkinSchemeTable::kCapacity)
        return 0;
    SkinScheme& added = table.Scheme(count + 1);
    CopyValues(values, added);
    std::memcpy(added.name, key, sizeof key);
    table.count = count + 1;
    return table.count;
}

void ConfirmDefaultScheme(SkinSchemeTable& table, const SkinScheme& values) {
    if (ClampCount(table.count) == 0) {
        table.count = 1;
        std::memcpy(table.Scheme(1).name, "Default", sizeof "Default");
    }
    CopyValues(values, table.Scheme(1));
}

bool DeleteScheme(SkinSchemeTable& table, int n) {
    const int count = ClampCount(table.count);
    if (n < 2 || n > count)
        return false;
    for (int i = n; i < count; ++i)
        table.Scheme(i) = table.Scheme(i + 1);
    table.Scheme(count) = SkinScheme{};
    table.count = count - 1;
    return true;
}

void LoadCurrentSkin(const std::string& path, int randomSkin, bool& randomPickMade,
                     unsigned timeSeed, CrtRandom& random, SkinScheme& current) {
    FilePtr file = OpenForReading(path);
    char droppedName[kSkinNameSize];
    if (randomSkin == 0 || randomPickMade) {
        if (file) {
            SchemeScanner in(file.get());
            int count = 0;
            if (in.Int(count))
                ScanBlock(in, droppedName, current);
        } else {
            current.sampleRed = current.sampleGreen = current.sampleBlue = 192;
        }
    } else if (file) {
        SchemeScanner in(file.get());
        int count = 0;
        in.Int(count);
        count = ClampCount(count);
        // A file without schemes has nothing to pick from: it counts as no file, and the
        // pick stays open for a later load in this run.
        if (count > 0) {
            randomPickMade = true;
            random.Seed(timeSeed);
            const int pick = random.Next() % count + 1;
            for (int n = 1; n <= pick; ++n) {
                if (ScanBlock(in, droppedName, current) < kSchemeBlockValues)
                    break;
            }
        }
    }
    current.buttonLook.hoverBlend = kButtonHoverBlend;
}
