// *.vsc, one exported scheme: any text reads into the scheme without writing outside it; the
// values from the first one that does not scan on keep what they held; a complete block is
// exported again as the same text.
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "core/SkinScheme.h"
#include "tests/common/schemes.h"
#include "tests/fuzz/FuzzTarget.h"

ZEN_FUZZ_TARGET(scheme_vsc) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const SkinScheme before = NumberedScheme(0, "Before");
    auto scheme = std::make_unique<SkinScheme>(before);
    const int scanned = ReadSchemeBlockText(text, *scheme);
    FUZZ_CHECK(scanned >= 0 && scanned <= 16);
    FUZZ_CHECK(std::memchr(scheme->name, '\0', kSkinNameSize) != nullptr);
    if (scanned == 0)
        FUZZ_CHECK(std::memcmp(scheme.get(), &before, sizeof before) == 0);
    // The hover blends are never in the file.
    FUZZ_CHECK(scheme->buttonLook.hoverBlend == before.buttonLook.hoverBlend &&
               scheme->dialogLook.hoverBlend == before.dialogLook.hoverBlend);

    // Whatever was read is exported as a complete block that reads back the same.
    const std::string exported = SchemeBlockText(*scheme);
    auto again = std::make_unique<SkinScheme>();
    FUZZ_CHECK(ReadSchemeBlockText(exported, *again) == kSchemeBlockValues);
    FUZZ_CHECK(SchemeBlockText(*again) == exported);
}
