#pragma once
// The native stand-in for the platform's case mapper: the C library's Unicode case tables (C.UTF-8),
// which agree with Windows' simple one-to-one case mapping on the letters the program's users write.
#include "core/CaseMapper.h"

#include <clocale>
#include <cwctype>
#include <locale.h>
#include <wctype.h>

namespace coretest {

class LocaleCaseMapper : public core::CaseMapper {
public:
    LocaleCaseMapper() : locale_(::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr)) {
        if (!locale_)
            throw core::CaseMappingError("the C.UTF-8 locale is missing");
    }
    LocaleCaseMapper(const LocaleCaseMapper&) = delete;
    LocaleCaseMapper& operator=(const LocaleCaseMapper&) = delete;
    ~LocaleCaseMapper() override { ::freelocale(locale_); }

    std::wstring Lower(std::wstring_view text) const override {
        std::wstring out(text);
        for (wchar_t& c : out)
            c = static_cast<wchar_t>(::towlower_l(static_cast<wint_t>(c), locale_));
        return out;
    }
    std::wstring Upper(std::wstring_view text) const override {
        std::wstring out(text);
        for (wchar_t& c : out)
            c = static_cast<wchar_t>(::towupper_l(static_cast<wint_t>(c), locale_));
        return out;
    }
    bool IsLetter(wchar_t c) const override { return ::iswalpha_l(static_cast<wint_t>(c), locale_) != 0; }

private:
    locale_t locale_;
};

} // namespace coretest
