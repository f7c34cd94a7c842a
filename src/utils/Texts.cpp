#include "utils/Texts.h"

char LastChar(const std::string& text) {
    return text.empty() ? '\0' : text.back();
}

void DeleteFirstChar(std::string& text) {
    if (!text.empty())
        text.erase(0, 1);
}

void DeleteLastChar(std::string& text) {
    if (!text.empty())
        text.pop_back();
}

std::string EscapeCaption(const std::string& text) {
    if (text == "-")
        return "- ";
    std::string caption;
    for (char c : text) {
        caption += c;
        if (c == '&')
            caption += '&';
    }
    return caption;
}
