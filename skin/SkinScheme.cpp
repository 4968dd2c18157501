// Scheme library files and table operations.
#include "skin/SkinScheme.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

#include "skin/FileReplace.h"

namespace {

constexpr int kBlockFields = 16; // name and 15 numbers
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

bool IsBlank(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Scans values the way the files are written: white space separates them, numbers are signed
// decimals, a name is one token. After the first failure every later scan fails too, so a
// damaged file never shifts values into the wrong fields.
class SchemeScanner {
public:
    explicit SchemeScanner(std::FILE* file) : m_file(file) {}

    // A number that does not scan, or does not fit 32 bits, leaves value untouched.
    bool Int(int& value) {
        int c = SkipBlanks();
        bool negative = false;
        if (c == '+' || c == '-') {
            negative = c == '-';
            c = std::getc(m_file);
        }
        if (c < '0' || c > '9')
            return Fail();
        long long magnitude = 0;
        const long long limit = negative ? -static_cast<long long>(std::numeric_limits<int>::min())
                                         : std::numeric_limits<int>::max();
        bool overflow = false;
        for (; c >= '0' && c <= '9'; c = std::getc(m_file)) {
            magnitude = magnitude * 10 + (c - '0');
            if (magnitude > limit) {
                overflow = true;
                magnitude = limit; // keep consuming the digits without growing
            }
        }
        if (c != EOF)
            std::ungetc(c, m_file);
        if (overflow)
            return Fail();
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
        for (; c != EOF && !IsBlank(c); c = std::getc(m_file)) {
            if (length < kNameLength)
                token[length++] = static_cast<char>(c);
        }
        if (c != EOF)
            std::ungetc(c, m_file);
        token[length] = '\0';
        std::memcpy(name, token, sizeof token);
        return true;
    }

private:
    int SkipBlanks() {
        if (m_failed)
            return EOF;
        int c = std::getc(m_file);
        while (IsBlank(c))
            c = std::getc(m_file);
        return c;
    }

    bool Fail() {
        m_failed = true;
        return false;
    }

    std::FILE* m_file;
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

bool PrintBlock(std::FILE* file, const SkinScheme& scheme) {
    char name[kSkinNameSize];
    MakeSchemeName(scheme.name, name);
    bool ok = std::fprintf(file, "%s\n", name) >= 0;
    for (const int* number : BlockNumbers(scheme))
        ok = std::fprintf(file, "%d\n", *number) >= 0 && ok;
    return ok;
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

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenForReading(const std::string& path) {
    return FilePtr(std::fopen(path.c_str(), "r"));
}

} // namespace

void MakeSchemeName(const char* text, char (&name)[kSkinNameSize]) {
    if (!text)
        text = "";
    int length = 0;
    for (; length < kNameLength && text[length] != '\0'; ++length) {
        const unsigned char c = static_cast<unsigned char>(text[length]);
        name[length] = (c < 0x20 || c == 0x7F || c == ' ') ? '_' : static_cast<char>(c);
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
    int count = table.count;
    if (in.Int(count)) {
        table.count = ClampCount(count);
        for (int n = 1; n <= table.count; ++n) {
            SkinScheme& scheme = table.Scheme(n);
            if (ScanBlock(in, scheme.name, scheme) < kBlockFields)
                break;
        }
    }
    file.reset();
    if (onName) {
        for (int n = 1; n <= ClampCount(table.count); ++n)
            onName(table.Scheme(n).name);
    }
    return true;
}

bool WriteSchemeFile(const std::string& path, const SkinSchemeTable& table) {
    const int count = ClampCount(table.count);
    return WriteFileReplacing(path, [&](std::FILE* file) {
        bool ok = std::fprintf(file, "%d\n", count) >= 0;
        for (int n = 1; n <= count; ++n)
            ok = PrintBlock(file, table.Scheme(n)) && ok;
        return ok;
    });
}

int ReadSchemeBlock(const std::string& path, SkinScheme& scheme) {
    FilePtr file = OpenForReading(path);
    if (!file)
        return -1;
    SchemeScanner in(file.get());
    return ScanBlock(in, scheme.name, scheme);
}

bool WriteSchemeBlock(const std::string& path, const SkinScheme& scheme) {
    return WriteFileReplacing(path, [&](std::FILE* file) { return PrintBlock(file, scheme); });
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
                if (ScanBlock(in, droppedName, current) < kBlockFields)
                    break;
            }
        }
    }
    current.buttonLook.hoverBlend = kButtonHoverBlend;
}
