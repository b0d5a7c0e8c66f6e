#include "common/leftover_files.h"

#include "common/shared_names.h"

namespace {
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

bool IsUniqueSuffix(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        const char l = Lower(c);
        if (!((l >= '0' && l <= '9') || (l >= 'a' && l <= 'f') || l == '-')) return false;
    }
    return true;
}
}  // namespace

bool IsLeftoverName(std::string_view name) {
    constexpr std::string_view kNew = ".new";
    if (name.size() <= kNew.size() || !SameText(name.substr(name.size() - kNew.size()), kNew)) return false;
    const std::string_view target = name.substr(0, name.size() - kNew.size());
    if (SameText(target, kSettingsFileName)) return true;
    const std::string_view settings = kSettingsFileName;
    return target.size() > settings.size() + 1 && SameText(target.substr(0, settings.size()), settings) &&
           target[settings.size()] == '.' && IsUniqueSuffix(target.substr(settings.size() + 1));
}

bool IsOldEnoughToRemove(uint64_t lastTouched, uint64_t now) {
    return now > lastTouched && now - lastTouched > kLeftoverAge100ns;
}
