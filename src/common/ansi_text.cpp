#include "common/ansi_text.h"

#include <vector>

namespace {

LeadBytes ReadLeadBytes() {
    LeadBytes lead;
    CPINFO info{};
    if (!GetCPInfo(CP_ACP, &info)) return lead;
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
        lead.AddRange(info.LeadByte[i], info.LeadByte[i + 1]);
    }
    return lead;
}

}  // namespace

const LeadBytes& AnsiLeadBytes() {
    static const LeadBytes lead = ReadLeadBytes();
    return lead;
}

std::optional<std::string> ToAnsiExactly(std::wstring_view text) {
    if (text.empty()) return std::string();
    const int wideLength = static_cast<int>(text.size());
    // UTF-8 as the ANSI code page takes neither flag and expresses every character.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
    const int bytes = WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, nullptr, 0, nullptr, usedDefaultOut);
    if (bytes <= 0 || usedDefault) return std::nullopt;
    std::string result(static_cast<size_t>(bytes), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, result.data(), bytes, nullptr, usedDefaultOut) !=
            bytes ||
        usedDefault) {
        return std::nullopt;
    }
    // Read back, the text must be the same characters: this also catches a mapping that the flag
    // did not keep from fitting.
    if (FromAnsi(result) != text) return std::nullopt;
    return result;
}

std::wstring FromAnsi(std::string_view text) {
    if (text.empty()) return std::wstring();
    const int length = static_cast<int>(text.size());
    const int chars = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (chars <= 0) return std::wstring();
    std::wstring result(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, result.data(), chars);
    return result;
}

std::optional<std::string> AnsiPath(const std::wstring& path) {
    if (std::optional<std::string> exact = ToAnsiExactly(path)) return exact;
    std::vector<wchar_t> shortPath(MAX_PATH);
    for (;;) {
        const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
        if (length == 0) return std::nullopt;
        if (length < shortPath.size()) return ToAnsiExactly(std::wstring_view(shortPath.data(), length));
        shortPath.resize(length);  // the size it needs, its NUL included
    }
}
