// What the benchmarks share: packing test data and timing runs.
#pragma once

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

using TBytes = std::vector<uint8_t>;

// data in one zlib stream at level 9, as the payload builder packs it.
inline TBytes Compress(const TBytes& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    TBytes packed(size);
    compress2(packed.data(), &size, data.data(), static_cast<uLong>(data.size()), 9);
    packed.resize(size);
    return packed;
}

inline double Milliseconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

inline double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
