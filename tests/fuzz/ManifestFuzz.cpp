// ParseManifest on any text: it refuses with EManifestError or returns one line per line of the
// text, numbered in order, each with a valid date or none.
#include "payload/Manifest.h"

#include <algorithm>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        auto lines = ParseManifest(text);
        size_t breaks = size_t(std::count(text.begin(), text.end(), '\n'));
        if (lines.size() != breaks + (text.back() != '\n'))
            __builtin_trap();
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].Number != int(i + 1) ||
                (lines[i].Date && !IsValidDateTime(*lines[i].Date)))
                __builtin_trap();
    } catch (const EManifestError&) {
    }
    return 0;
}
