#include "module_order.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <regex>
#include <sstream>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 7> modules = {"core", "platform", "render", "anim",
                                                     "show", "scenes",   "app"};

// Position in the order, or -1 for a name that is no module (a system or library header).
int rank(std::string_view name) {
    const auto it = std::find(modules.begin(), modules.end(), name);
    return it == modules.end() ? -1 : static_cast<int>(it - modules.begin());
}

std::string shown(const std::filesystem::path& root, const std::filesystem::path& file) {
    return (root.filename() / std::filesystem::relative(file, root)).generic_string();
}

}  // namespace

std::vector<std::string> upward_includes(const std::filesystem::path& root) {
    static const std::regex include(R"(^\s*#\s*include\s*"([^/"]+)/[^"]*")");
    std::vector<std::string> found;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        const std::string owner = std::filesystem::relative(file, root).begin()->string();
        const int own = rank(owner);
        if (own < 0) continue;
        std::ifstream in(file);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::smatch match;
            if (!std::regex_search(line, match, include)) continue;
            const int other = rank(match[1].str());
            if (other > own) {
                std::ostringstream text;
                text << shown(root, file) << ":" << number << ": " << owner << " includes " << match[1].str()
                     << " (" << line.substr(line.find('"')) << ")";
                found.push_back(text.str());
            }
        }
    }
    return found;
}

std::vector<std::string> upward_links(const std::filesystem::path& root) {
    static const std::regex link(R"(target_link_libraries\s*\(\s*(\w+)([^)]*)\))");
    std::vector<std::string> found;
    for (std::string_view module : modules) {
        const auto file = root / module / "CMakeLists.txt";
        std::ifstream in(file);
        std::stringstream whole;
        whole << in.rdbuf();
        const std::string text = whole.str();
        for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
            std::istringstream words((*it)[2].str());
            for (std::string word; words >> word;)
                if (rank(word) > rank(module))
                    found.push_back(shown(root, file) + ": " + std::string(module) + " links " + word);
        }
    }
    return found;
}
