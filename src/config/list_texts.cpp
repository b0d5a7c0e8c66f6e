#include "config/list_texts.h"

std::string InvalidPictureText(std::string_view name) {
    std::string text(name);
    text += "\n\nInvalid Picture!\n\nFile will not be added to the list...";
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
