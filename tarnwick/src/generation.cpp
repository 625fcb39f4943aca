#include "generation.h"

#include <cctype>

namespace tarnwick {

const GenerationGroup kFirstGroup{2, 0x4400, 0x28000000, false, "1g, 2g and 3g iPods...\n"};
const GenerationGroup kSecondGroup{3, 0x4600, 0x10000000, false,
                                   "iPod mini, 4g and iPod photo/color...\n"};
const GenerationGroup kVideoGroup{3, 0x4600, 0x10000000, true, "iPod video\n"};

namespace {

bool sameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
    return true;
}

}  // namespace

std::optional<GenerationGroup> groupForWord(std::string_view word) {
    struct Word { const char* text; const GenerationGroup* group; };
    static const Word words[] = {
        {"1g", &kFirstGroup},    {"2g", &kFirstGroup},     {"3g", &kFirstGroup},
        {"scroll", &kFirstGroup}, {"touch", &kFirstGroup}, {"dock", &kFirstGroup},
        {"4g", &kSecondGroup},   {"mini", &kSecondGroup},  {"nano", &kSecondGroup},
        {"photo", &kSecondGroup}, {"color", &kSecondGroup}, {"5g", &kVideoGroup},
        {"video", &kVideoGroup},
    };
    for (const Word& w : words)
        if (sameWord(word, w.text)) return *w.group;
    return std::nullopt;
}

}  // namespace tarnwick
