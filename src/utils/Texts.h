// Small operations on texts: last character, trimming one character, label captions.
#pragma once

#include <string>

// The last character of text, or a zero character for an empty text.
char LastChar(const std::string& text);

// Remove the first or the last character; an empty text stays empty.
void DeleteFirstChar(std::string& text);
void DeleteLastChar(std::string& text);

// The text as a label caption that shows it literally: every "&" doubled, and a text that is
// just "-" (which a label would draw as a separator line) becomes "- ".
std::string EscapeCaption(const std::string& text);
