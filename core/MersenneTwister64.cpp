#include "core/MersenneTwister64.h"

#include <algorithm>
#include <cstring>

namespace core {

namespace {
constexpr int kShift = 156;
constexpr std::uint64_t kMatrix = 0xB5026F5AA96619E9ull;
constexpr std::uint64_t kUpper = 0xFFFFFFFF80000000ull, kLower = 0x7FFFFFFFull;

inline std::uint64_t Mixed(std::uint64_t high, std::uint64_t low, std::uint64_t far) {
    const std::uint64_t y = (high & kUpper) | (low & kLower);
    // Masked rather than branched on: the low bit is random, and this way the loops vectorise.
    return far ^ (y >> 1) ^ ((0 - (y & 1)) & kMatrix);
}
} // namespace

MersenneTwister64::MersenneTwister64(std::uint64_t seed) {
    state_[0] = seed;
    for (int i = 1; i < kStateSize; ++i)
        state_[i] = 6364136223846793005ull * (state_[i - 1] ^ (state_[i - 1] >> 62)) + static_cast<std::uint64_t>(i);
}

void MersenneTwister64::Twist() {
    std::uint64_t* s = state_;
    for (int k = 0; k < kStateSize - kShift; ++k)
        s[k] = Mixed(s[k], s[k + 1], s[k + kShift]);
    for (int k = kStateSize - kShift; k < kStateSize - 1; ++k)
        s[k] = Mixed(s[k], s[k + 1], s[k + kShift - kStateSize]);
    s[kStateSize - 1] = Mixed(s[kStateSize - 1], s[0], s[kShift - 1]);
    for (int k = 0; k < kStateSize; ++k) {
        std::uint64_t y = s[k];
        y ^= (y >> 29) & 0x5555555555555555ull;
        y ^= (y << 17) & 0x71D67FFFEDA60000ull;
        y ^= (y << 37) & 0xFFF7EEE000000000ull;
        y ^= y >> 43;
        outputs_[k] = y;
    }
    used_ = 0;
}

void MersenneTwister64::Fill(std::uint64_t* out, std::size_t count) {
    while (count > 0) {
        if (used_ == kStateSize)
            Twist();
        const std::size_t n = std::min<std::size_t>(count, static_cast<std::size_t>(kStateSize - used_));
        std::memcpy(out, outputs_ + used_, n * sizeof *out);
        used_ += static_cast<int>(n);
        out += n;
        count -= n;
    }
}

std::uint64_t MersenneTwister64::Next() {
    std::uint64_t v;
    Fill(&v, 1);
    return v;
}

} // namespace core
