// Packing a product tree into the payload, as its manifest lists it.
#pragma once

#include <filesystem>

struct TBuildOptions {
    std::filesystem::path Manifest;
    std::filesystem::path ProductDir;
    std::filesystem::path Output;
    int ZopfliIterations = 0; // 0: zlib at level 9
};

// Checks every entry before packing any: a refusal (an exception naming the manifest line and
// the entry) leaves no output behind. Prints a summary on stdout and, on a terminal, progress
// on stderr.
void BuildPayload(const TBuildOptions& options);
