// Fixed texts of the wizard.
#pragma once

#include <array>

// The title of each page; entry 8 stands for Finish and is never shown.
extern const std::array<const char*, 9> PageTitles;

extern const char* const ProductName;
// Names the edition of the product after its version; empty for the standard edition.
extern const char* const EditionSuffix;
