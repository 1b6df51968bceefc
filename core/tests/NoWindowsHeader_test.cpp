// The core's promise: nothing in it reaches for the Windows headers, so it stays portable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>

TEST(PortableCore, NoSourceIncludesAWindowsHeader) {
    namespace fs = std::filesystem;
    int checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(QUILLET_CORE_DIR)) {
        const auto ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp")
            continue;
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line)) {
            std::string lower(line);
            std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
            if (lower.find("#include") == std::string::npos)
                continue;
            for (const char* banned : {"windows.h", "winuser.h", "winbase.h", "windef.h", "ole2.h", "objbase.h"}) {
                EXPECT_EQ(lower.find(banned), std::string::npos) << entry.path() << ": " << line;
            }
        }
        ++checked;
    }
    EXPECT_GT(checked, 1);
}
