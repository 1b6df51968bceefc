#pragma once
// Timing for the benchmark drivers: a millisecond clock, the median and a percentile of a run of figures.
#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

inline double Now() {
    LARGE_INTEGER f, c;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

inline double Median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// The nearest-rank percentile (95: the figure 95 % of the runs stay at or under).
inline double Percentile(std::vector<double> v, double percent) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    std::size_t rank = static_cast<std::size_t>(percent / 100.0 * static_cast<double>(v.size()) + 0.999999);
    rank = rank < 1 ? 1 : rank > v.size() ? v.size() : rank;
    return v[rank - 1];
}

} // namespace bench
