#pragma once
// The 64-bit Mersenne twister, giving exactly the standard library's mt19937_64 sequence for the same
// seed, but handing its numbers out in blocks: the picture effects draw two per pixel, and one call per
// number (with its test for the end of the state) cost them more than the pixels themselves.
#include <cstddef>
#include <cstdint>

namespace core {

class MersenneTwister64 {
public:
    explicit MersenneTwister64(std::uint64_t seed = 5489);

    // The next count numbers of the sequence, in order.
    void Fill(std::uint64_t* out, std::size_t count);
    std::uint64_t Next();

private:
    static constexpr int kStateSize = 312;
    void Twist();

    std::uint64_t state_[kStateSize];
    // The tempered outputs of the present state, and how many of them were handed out.
    std::uint64_t outputs_[kStateSize];
    int used_ = kStateSize;
};

} // namespace core
