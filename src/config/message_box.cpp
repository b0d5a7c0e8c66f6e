#include "config/message_box.h"

#include "common/ansi_text.h"
#include "config/config_texts.h"

namespace config {

void ShowErrorMessage(HWND owner, const std::string& text) {
    MessageBoxA(owner, text.c_str(), kErrorCaption, MB_OK | MB_ICONSTOP);
}

void ShowErrorMessage(HWND owner, const std::wstring& text) {
    MessageBoxW(owner, text.c_str(), FromAnsi(kErrorCaption).c_str(), MB_OK | MB_ICONSTOP);
}

int AskImportantQuestion(HWND owner, const std::string& text) {
    return MessageBoxA(owner, text.c_str(), kImportantCaption, MB_YESNOCANCEL | MB_ICONQUESTION);
}

}  // namespace config
