// Throughput of the clipboard menu's text transforms on a 1 MB text (UTF-16, as the program holds it),
// against a plain copy of the same text measured in the same run.
#include "core/modFormatText.h"
#include "core/modStrings.h"
#include "core/tests/LocaleCaseMapper.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kTextBytes = 1 << 20;
constexpr int kRounds = 7;

std::wstring SampleText() {
    const std::wstring line = L"Příliš žluťoučký kůň úpěl ďábelské ódy. the QUICK brown fox: jumps over? Кошка!\r\n";
    std::wstring text;
    while (text.size() * 2 < kTextBytes)
        text += line;
    text.resize(kTextBytes / 2);
    return text;
}

// The best of several rounds, in MB/s, so a busy machine slows the figure as little as possible.
double MegabytesPerSecond(const std::function<std::size_t()>& run) {
    double best = 0;
    std::size_t sink = 0;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        sink += run();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::max(best, (kTextBytes / 1048576.0) / took.count());
    }
    if (sink == 0)
        std::puts("(empty results)");
    return best;
}

} // namespace

int main() {
    const std::wstring text = SampleText();
    const coretest::LocaleCaseMapper cases;

    struct Case {
        const char* name;
        std::function<std::size_t()> run;
    };
    const std::vector<Case> transforms = {
        {"plain copy", [&] { return std::wstring(text).size(); }},
        {"RemoveDiacritics", [&] { return core::RemoveDiacritics(text).size(); }},
        {"ReverseText", [&] { return core::ReverseText(text, true).size(); }},
        {"ReplaceAll", [&] { return core::ReplaceAll(text, L"ž", L"z").size(); }},
        {"ToLowerCase", [&] { return core::ToLowerCase(text, cases).size(); }},
        {"ToUpperCase", [&] { return core::ToUpperCase(text, cases).size(); }},
        {"ToProperCase", [&] { return core::ToProperCase(text, cases).size(); }},
        {"ReverseCase", [&] { return core::ReverseCase(text, cases).size(); }},
        {"ZigZagCase", [&] { return core::ZigZagCase(text, true, cases).size(); }},
        {"SentenceCase", [&] { return core::SentenceCase(text, true, cases).size(); }},
    };

    std::printf("Text transforms on %zu bytes of text, best of %d rounds\n", kTextBytes, kRounds);
    double copy = 0;
    for (const Case& c : transforms) {
        const double speed = MegabytesPerSecond(c.run);
        if (copy == 0)
            copy = speed;
        std::printf("%-18s %10.1f MB/s   %6.3f x plain copy\n", c.name, speed, speed / copy);
    }
    return 0;
}
