#include "config/message_box.h"

#include "config/config_texts.h"

namespace config {

void ShowErrorMessage(HWND owner, const std::string& text) {
    MessageBoxA(owner, text.c_str(), kErrorCaption, MB_OK | MB_ICONSTOP);
}

int AskImportantQuestion(HWND owner, const std::string& text) {
    return MessageBoxA(owner, text.c_str(), kImportantCaption, MB_YESNOCANCEL | MB_ICONQUESTION);
}

}  // namespace config
