#pragma once
// Reading RTF sources the way a test checks formatting: which text a control word covers.
#include <cctype>
#include <string>

namespace testkit {

// The text of the first bold run of an RTF source ("" when nothing is bold): what follows a \b control
// word up to the \b0 that ends it, control words included.
inline std::string FirstBoldRun(const std::string& rtf) {
    for (std::size_t at = rtf.find("\\b"); at != std::string::npos; at = rtf.find("\\b", at + 2)) {
        const char next = at + 2 < rtf.size() ? rtf[at + 2] : '\0';
        if (std::isalnum(static_cast<unsigned char>(next)))
            continue; // \bin, \b0, \box ...
        const std::size_t start = at + 2;
        const std::size_t end = rtf.find("\\b0", start);
        return rtf.substr(start, end == std::string::npos ? std::string::npos : end - start);
    }
    return {};
}

} // namespace testkit
