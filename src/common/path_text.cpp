#include "common/path_text.h"

void LeadBytes::AddRange(uint8_t first, uint8_t last) {
    for (unsigned byte = first; byte <= last; ++byte) lead_.set(byte);
}

size_t CharBytes(std::string_view text, size_t pos, const LeadBytes& lead) {
    return lead.IsLead(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

int CharCount(std::string_view text, const LeadBytes& lead) {
    int chars = 0;
    for (size_t pos = 0; pos < text.size(); pos += CharBytes(text, pos, lead)) ++chars;
    return chars;
}

size_t BytesOfChars(std::string_view text, int chars, const LeadBytes& lead) {
    size_t pos = 0;
    for (int i = 0; i < chars && pos < text.size(); ++i) pos += CharBytes(text, pos, lead);
    return pos;
}

size_t FolderPartBytes(std::string_view path, const LeadBytes& lead) {
    size_t folder = 0;
    for (size_t pos = 0; pos < path.size(); pos += CharBytes(path, pos, lead)) {
        if (path[pos] == '\\') folder = pos + 1;
    }
    return folder;
}

bool EndsWithBackslash(std::string_view path, const LeadBytes& lead) {
    return !path.empty() && FolderPartBytes(path, lead) == path.size();
}

std::string FolderWithBackslash(std::string_view folder, const LeadBytes& lead) {
    std::string result(folder);
    if (!EndsWithBackslash(folder, lead)) result += '\\';
    return result;
}

std::string GetFileName(std::string_view path, const LeadBytes& lead) {
    return std::string(path.substr(FolderPartBytes(path, lead)));
}
