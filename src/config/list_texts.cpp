#include "config/list_texts.h"

std::wstring InvalidPictureText(std::wstring_view name) {
    std::wstring text(name);
    text += L"\n\nInvalid Picture!\n\nFile will not be added to the list...";
    return text;
}

std::wstring UnexpressibleNameText(std::wstring_view name) {
    std::wstring text(name);
    text += L"\n\nThe name holds characters that the language for non-Unicode programs cannot express, "
            L"and the drive gives the file no short name.\n\nFile will not be added to the list...";
    return text;
}

std::string PictureLoadFailedText(std::string_view rowText, std::string_view description) {
    std::string text(rowText);
    text += "\n\n";
    text += description;
    text += "!\n\nPicture will be removed from list...";
    return text;
}

std::string ListFullText(int notAdded) {
    std::string text = "The list holds at most 32,767 pictures.\n\n";
    text += std::to_string(notAdded);
    text += notAdded == 1 ? " of the selected files was not added." : " of the selected files were not added.";
    return text;
}

std::string SelectionTooLargeText() {
    return "Too many files were selected at once.\n\n"
           "Nothing was added. Please select fewer files and add them in several steps.";
}
