// Sizes on disk in whole clusters, and sizes as the texts the user sees ("5 360 KB").
// Sizes are 64-bit so that sums of files can pass 2 GiB.
#pragma once

#include <cstdint>
#include <string>

// size rounded up to a whole number of clusters: 0 stays 0, and -1 (a file that could not be
// opened) counts as one cluster. A cluster size that is not positive leaves size unchanged.
int64_t RoundToClusters(int64_t size, int32_t clusterSize);

// The decimal digits of n in groups of three, separated by blanks: "1 234 567".
std::string GroupDigits(int64_t n);

// Whole kilobytes ("1 024 KB"), or whole megabytes ("16 MB") from 16,777,215 bytes on or for
// an exact number of megabytes.
std::string FormatSize(int64_t size);
