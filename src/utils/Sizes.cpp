#include "utils/Sizes.h"

namespace {

constexpr int64_t kMegabyte = 1048576;

// size / 1 MiB rounded to the nearest whole number, an exact half to the even neighbour.
int64_t RoundedMegabytes(int64_t size) {
    int64_t whole = size / kMegabyte;
    int64_t rest = size % kMegabyte;
    if (rest > kMegabyte / 2 || (rest == kMegabyte / 2 && whole % 2 != 0))
        ++whole;
    return whole;
}

} // namespace

int64_t RoundToClusters(int64_t size, int32_t clusterSize) {
    if (clusterSize <= 0 || size % clusterSize == 0)
        return size;
    return (size / clusterSize + 1) * clusterSize;
}

std::string GroupDigits(int64_t n) {
    std::string text = std::to_string(n);
    size_t first = n < 0 ? 1 : 0;
    for (size_t i = text.size(); i > first + 3; i -= 3)
        text.insert(i - 3, 1, ' ');
    return text;
}

std::string FormatSize(int64_t size) {
    int64_t megabytes = RoundedMegabytes(size);
    if (size >= 16777215 || (size != 0 && size == megabytes * kMegabyte))
        return GroupDigits(megabytes) + " MB";
    return GroupDigits(size / 1024) + " KB";
}
