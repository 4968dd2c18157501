// scheme.dat, the skin library: any text reads into the table without writing outside it, and
// what was read is saved as a file that reads back the same.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "core/SkinScheme.h"
#include "tests/common/schemes.h"
#include "tests/fuzz/FuzzTarget.h"

namespace {

bool IsBlankByte(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

ZEN_FUZZ_TARGET(scheme_dat) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // Process-wide tables like the program's; the sanitizer guards the memory around globals,
    // so a write past a table is caught. Each run starts from empty ones.
    static SkinSchemeTable read, reread;
    SkinSchemeTable* table = &read;
    *table = SkinSchemeTable{};
    int handed = 0;
    ReadSchemeText(text, *table, [&](const char* name) {
        FUZZ_CHECK(name == table->Scheme(handed + 1).name);
        ++handed;
    });
    FUZZ_CHECK(table->count >= 0 && table->count <= SkinSchemeTable::kCapacity);
    FUZZ_CHECK(handed == table->count);
    for (int n = 1; n <= table->count; ++n) {
        const char* name = table->Scheme(n).name;
        const char* end = static_cast<const char*>(std::memchr(name, '\0', kSkinNameSize));
        FUZZ_CHECK(end != nullptr);
        FUZZ_CHECK(std::none_of(name, end, IsBlankByte));
    }

    // Saving what was read gives a file of 1 + 16 x count lines that reads back the same
    // numbers, each name as it is stored.
    const std::string written = SchemeFileText(*table);
    FUZZ_CHECK(std::count(written.begin(), written.end(), '\n') == 1 + 16 * table->count);
    SkinSchemeTable* again = &reread;
    *again = SkinSchemeTable{};
    ReadSchemeText(written, *again);
    FUZZ_CHECK(again->count == table->count);
    for (int n = 1; n <= table->count; ++n) {
        const SkinScheme& was = table->Scheme(n);
        const SkinScheme& now = again->Scheme(n);
        char stored[kSkinNameSize];
        MakeSchemeName(was.name, stored);
        FUZZ_CHECK(std::strcmp(now.name, stored) == 0);
        FUZZ_CHECK(StoredNumbers(now) == StoredNumbers(was));
    }
}
