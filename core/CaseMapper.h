#pragma once
// Letter case comes from the platform (the program's users expect Windows' own rules), so the text
// transforms take it as an injected mapper and stay testable without Windows.
#include <stdexcept>
#include <string>
#include <string_view>

namespace core {

class CaseMapper {
public:
    virtual ~CaseMapper() = default;
    // Whole-text conversions. Either may throw CaseMappingError when the platform refuses.
    virtual std::wstring Lower(std::wstring_view text) const = 0;
    virtual std::wstring Upper(std::wstring_view text) const = 0;
    // Whether c is a letter of any script, with or without case.
    virtual bool IsLetter(wchar_t c) const = 0;
};

struct CaseMappingError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

} // namespace core
