#pragma once
// Runs the steps of a longer settings operation each on its own: a step that fails (gives false or throws)
// is skipped, the rest still run, and its name is kept so the user can be told which setting did not take.
#include <exception>
#include <string>
#include <utility>
#include <vector>

namespace quillet {

class SettingSteps {
public:
    template <typename Step> void Run(const wchar_t* name, Step&& step) {
        bool done = false;
        try {
            done = std::forward<Step>(step)();
        } catch (const std::exception&) {
            done = false;
        }
        if (!done)
            failed_.emplace_back(name);
    }
    const std::vector<std::wstring>& failed() const { return failed_; }

private:
    std::vector<std::wstring> failed_;
};

} // namespace quillet
