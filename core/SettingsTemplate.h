#pragma once
// The settings file a fresh program folder gets. Its lines are fixed, quirks included: the later
// "PasteMethod=1" is never read (the INI services find the first), and "RecentProject3Name= " keeps its blank.
#include <string>
#include <string_view>

namespace core {

// The whole file, CR LF after every line. `projectsFolder` is the value of DefaultProjectPath: empty at the
// very first start, when the file is written before the program folders are prepared.
std::wstring DefaultSettingsText(std::wstring_view projectsFolder);

} // namespace core
