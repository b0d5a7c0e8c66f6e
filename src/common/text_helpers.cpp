#include "common/text_helpers.h"

std::string FolderWithBackslash(std::string_view folder) {
    std::string result(folder);
    if (result.empty() || result.back() != '\\') result += '\\';
    return result;
}

int FindLastChar(std::string_view text, char c) {
    for (size_t i = text.size(); i > 0; --i) {
        if (text[i - 1] == c) return static_cast<int>(i);
    }
    return 0;
}

std::string GetFileName(std::string_view path) {
    return std::string(path.substr(static_cast<size_t>(FindLastChar(path, '\\'))));
}

std::string OneLine(std::string_view text) {
    std::string out;
    bool pendingSpace = false;
    for (char c : text) {
        if (c == '\r' || c == '\n' || c == ' ' || c == '\t') {
            pendingSpace = !out.empty();
            continue;
        }
        if (pendingSpace) out += ' ';
        pendingSpace = false;
        out += c;
    }
    return out;
}
