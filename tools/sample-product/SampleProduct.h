// The sample product: a deterministic stand-in for the real product tree, with its entries
// in the order the installation plan expects and pseudo-random content that compresses
// about as well as the real files do.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

extern const char kLicenseText[]; // LF line ends

struct TSampleFile {
    std::string Name; // the archive name, with backslashes
    std::string Date; // YYYY-MM-DD HH:MM:SS, local time, even seconds
    int32_t Size = 0;
    double TextShare = 0; // how much of the content is text-like rather than random
    std::string Header;   // the first bytes, like the real file type's
};

// Every entry except "cwp.exe" (the stand-in word processor, built separately), in archive
// order after it.
std::vector<TSampleFile> SampleFiles();

// The file's bytes: the same on every run.
std::string SampleContent(const TSampleFile& file);
