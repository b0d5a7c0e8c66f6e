#include "common/error_text.h"

#include "common/text_helpers.h"

std::string SystemErrorDescription(DWORD error) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (length && buffer) text = OneLine(std::string(buffer, length));
    if (buffer) LocalFree(buffer);
    if (text.empty()) text = "Error " + std::to_string(error);
    return text;
}
