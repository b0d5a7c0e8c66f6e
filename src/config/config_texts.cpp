#include "config/config_texts.h"

#include "common/path_text.h"

std::string LoaderPathIn(std::string_view appFolder, const LeadBytes& lead) {
    return FolderWithBackslash(appFolder, lead) + kLoaderFileName;
}

std::string AutostartData(std::string_view appFolder, const LeadBytes& lead) {
    return '"' + LoaderPathIn(appFolder, lead) + '"';
}

bool NamesLoader(std::string_view data, std::string_view loaderPath) {
    if (data.size() == loaderPath.size() + 2 && data.front() == '"' && data.back() == '"') {
        data = data.substr(1, data.size() - 2);
    }
    return !loaderPath.empty() && data == loaderPath;
}

std::string LoaderStillActiveText() {
    return "You have choosen to not load the Loader on startup.\n"
           "However, the Loader is still active. If it is active when you\n"
           "shutdown or logout, it will change wallpaper one more time.\n"
           "\n"
           "Do you want do unload it now?";
}

std::string AutostartFailedText(bool switchingOn, std::string_view reason) {
    std::string text = switchingOn ? "Quilloria Loader could not be set to start with Windows."
                                   : "Quilloria Loader could not be kept from starting with Windows:\n"
                                     "it will still start at the next logon.";
    text += "\n\nCause:\n";
    text += reason;
    // Switching off, a question about a running loader may follow, and its Cancel saves nothing.
    if (switchingOn) text += "\n\nThe picture list will be saved all the same.";
    return text;
}

std::string LoaderNotEndedText(std::string_view reason) {
    std::string text = "Quilloria Loader could not be ended.\n\nCause:\n";
    text += reason;
    text += "\n\nIt is still running and will change the wallpaper once more when you shut down or log off. "
            "The picture list is not saved yet: press OK again and answer No to "
            "save it and keep the Loader running, or end the Loader as an administrator first.";
    return text;
}

std::string SaveFailedText(std::string_view path, std::string_view reason) {
    std::string text = "The picture list could not be saved to\n";
    text += path;
    text += "\n\nCause:\n";
    text += reason;
    text += "\n\nThe window stays open so that your changes are not lost.";
    text += "\n\nIf you may not write to this folder (one under Program Files, for example), close "
            "Quilloria, move the Quilloria folder to a folder you may write to, such as one in your "
            "user profile, and start Quilloria.exe from there.";
    return text;
}

std::wstring FolderUnusableText(std::wstring_view folder) {
    std::wstring text = L"Quilloria cannot keep its picture list in the folder\n";
    text += folder;
    text += L"\n\nCause:\nThe folder's name holds characters that the language for non-Unicode programs "
            L"cannot express, and the drive gives it no short name.";
    text += L"\n\nMove the Quilloria folder to a folder whose name has none of these characters, such as "
            L"C:\\Quilloria, and start Quilloria.exe from there.";
    return text;
}
