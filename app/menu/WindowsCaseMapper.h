#pragma once
// The platform's letter case for the text transforms: Windows' own mapping of the user's locale.
#include "core/CaseMapper.h"

namespace quillet {

class WindowsCaseMapper final : public core::CaseMapper {
public:
    std::wstring Lower(std::wstring_view text) const override;
    std::wstring Upper(std::wstring_view text) const override;
    bool IsLetter(wchar_t c) const override;
};

// The mapper the menu actions use.
const WindowsCaseMapper& PlatformCases();

} // namespace quillet
