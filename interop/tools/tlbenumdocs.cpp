// Build tool: gives every enumeration constant of the compiled type library its own name as help text,
// which the IDL compiler will not write. Runs on the build machine, so it uses the portable core only.
#include "core/TypeLibEnumDocs.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tlbenumdocs IN.tlb OUT.tlb\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "tlbenumdocs: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::vector<uint8_t> library((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
        const std::vector<uint8_t> out = core::AddEnumConstantDocs(library);
        // Read the result back: the same constants, each with help text, or the build stops here.
        const std::vector<core::EnumConstantDoc> before = core::ReadEnumConstantDocs(library);
        const std::vector<core::EnumConstantDoc> after = core::ReadEnumConstantDocs(out);
        bool same = before.size() == after.size();
        for (size_t i = 0; same && i < after.size(); ++i)
            same = after[i].enumeration == before[i].enumeration && after[i].name == before[i].name &&
                   after[i].doc.has_value() && (!before[i].doc || after[i].doc == before[i].doc);
        if (!same) {
            std::cerr << "tlbenumdocs: the written library does not read back with help text on every constant\n";
            return 1;
        }
        std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
        if (!file) {
            std::cerr << "tlbenumdocs: cannot write " << argv[2] << "\n";
            return 1;
        }
    } catch (const core::TypeLibFormatError& e) {
        std::cerr << "tlbenumdocs: " << argv[1] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
