#include "loader/loader_texts.h"

std::string CouldNotStartConfigurationText(std::string_view cause) {
    std::string text = "Could not start Quilloria Configuration!!\n\nCause:\n";
    text += cause;
    return text;
}
