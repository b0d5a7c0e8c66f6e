#include "common/text_helpers.h"

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
