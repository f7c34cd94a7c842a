#include "wizard/ResConst.h"

const std::array<const char*, 9> PageTitles = {
    "Welcome to the Corvella Word Processor Setup",
    "License Agreement",
    "Choose Destination Folder",
    "Select Components",
    "Ready to Install",
    "Installing",
    "Associate With Document Types",
    "Installation Complete",
    "",
};

const char* const ProductName = "Corvella Word Processor";
const char* const EditionSuffix = "";
