// tips.txt, the Tip of the Day file: from any position, on any contents, the reader ends with a
// tip that is no comment, no indented line and no empty line, at most a piece long, with the
// position after it inside the file, or it says there is no tip.
#include <string>

#include "core/TipsFile.h"
#include "tests/fuzz/FuzzTarget.h"

ZEN_FUZZ_TARGET(tips_txt) {
    // The first 8 bytes are the stored position, the rest the file.
    long long position = 0;
    const size_t head = size < 8 ? size : 8;
    for (size_t i = 0; i < head; ++i)
        position = static_cast<long long>(static_cast<unsigned long long>(position) << 8 | data[i]);
    const std::string contents(reinterpret_cast<const char*>(data) + head, size - head);
    for (bool fromLineStart : {false, true}) {
        long long at = position;
        std::string tip;
        const TipResult result = ReadNextTip(contents, at, tip, fromLineStart);
        FUZZ_CHECK(result != TipResult::ReadError);
        if (result == TipResult::NoTip)
            continue;
        FUZZ_CHECK(!tip.empty() && tip.size() <= kTipPieceMax);
        FUZZ_CHECK(tip[0] != ' ' && tip[0] != '\t' && tip[0] != ';');
        FUZZ_CHECK(tip.find('\n') == std::string::npos);
        FUZZ_CHECK(at > 0 && at <= static_cast<long long>(contents.size()));
        // From a line start the tip was a whole line, so the file keeps yielding tips. (From
        // inside a line, the tail of that line counts as a line: it may be the only "tip".)
        std::string next;
        if (fromLineStart)
            FUZZ_CHECK(ReadNextTip(contents, at, next) == TipResult::Found);
    }
}
