// Build tool: turns the user guide's source text into help.hlp and help.html.
// Runs on the build machine, so it uses the portable core only.
#include "core/HelpFile.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool WriteAll(const std::string& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: helpgen GUIDE.txt OUT.hlp OUT.html\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "helpgen: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
        const core::HelpGuide guide = core::ParseHelpGuide(source);
        const std::vector<uint8_t> file = core::WriteHelpFile(guide);
        // A file that does not read back as the guide would show the user something else.
        std::vector<std::string> names;
        for (const auto& t : guide.topics)
            names.push_back(t.name);
        if (!(core::ReadHelpFile(file, names) == guide)) {
            std::cerr << "helpgen: the help file does not read back as the guide\n";
            return 1;
        }
        const std::string html = core::HelpGuideHtml(guide);
        if (!WriteAll(argv[2], file.data(), file.size()) || !WriteAll(argv[3], html.data(), html.size())) {
            std::cerr << "helpgen: cannot write the output files\n";
            return 1;
        }
    } catch (const core::HelpFormatError& e) {
        std::cerr << "helpgen: " << argv[1] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
