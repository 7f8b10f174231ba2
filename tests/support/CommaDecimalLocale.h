#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace locale_support {

// Switches LC_NUMERIC to a locale whose decimal point is a comma: an installed one,
// or else one built with localedef into a test folder (nothing on the system
// changes). Gives back the C locale when it goes.
class CommaDecimalLocale {
public:
    explicit CommaDecimalLocale(const std::filesystem::path& folder) {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
            if (std::setlocale(LC_NUMERIC, name) != nullptr) {
                active_ = true;
                return;
            }
        }
        const std::string build =
            "localedef -i de_DE -f UTF-8 '" + (folder / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        if (std::system(build.c_str()) != 0) {
            return;
        }
        ::setenv("LOCPATH", folder.c_str(), 1);
        active_ = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
        ownsLocPath_ = true;
    }
    ~CommaDecimalLocale() {
        std::setlocale(LC_NUMERIC, "C");
        if (ownsLocPath_) {
            ::unsetenv("LOCPATH");
        }
    }
    bool Active() const { return active_; }

private:
    bool active_ = false;
    bool ownsLocPath_ = false;
};

}  // namespace locale_support
