#include "core/file_io.h"
#include "tools/assets/generators.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Expands #include "name" lines (from the shared lib folder) recursively; false on a missing file
// or an include cycle deeper than a few levels.
bool expand(const std::string& text, const std::filesystem::path& lib, int depth, std::string& out) {
    if (depth > 8) return false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + pos, end - pos);
        size_t first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos && line.substr(first).starts_with("#include")) {
            size_t open = line.find('"'), close = line.rfind('"');
            if (open == std::string_view::npos || close <= open) return false;
            std::string name(line.substr(open + 1, close - open - 1));
            auto included = read_file((lib / name).string());
            if (!included) {
                std::fprintf(stderr, "brinefall-assets: missing shader include %s\n", name.c_str());
                return false;
            }
            if (!expand(*included, lib, depth + 1, out)) return false;
        } else {
            out.append(line);
            out += '\n';
        }
        pos = end + 1;
    }
    return true;
}

// Shader files in the show directory that no longer have a source (removed or renamed since the
// last build): removed, so that nothing runs against a shader the tree no longer has.
void remove_stale_shaders(const std::filesystem::path& out, const std::vector<std::filesystem::path>& sources) {
    std::error_code ec;
    std::vector<std::filesystem::path> stale;
    for (auto it = std::filesystem::recursive_directory_iterator(out, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        const auto relative = std::filesystem::relative(it->path(), out);
        if (it->is_regular_file() && it->path().extension() == ".glsl" &&
            !std::binary_search(sources.begin(), sources.end(), relative))
            stale.push_back(it->path());
    }
    for (const auto& path : stale) {
        std::filesystem::remove(path, ec);
        std::fprintf(stderr, "brinefall-assets: removed %s (its source is gone)\n", path.c_str());
    }
}

}  // namespace

bool add_shaders(Pack& pack, const std::filesystem::path& from) {
    std::vector<std::filesystem::path> sources;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(from)) {
        auto relative = std::filesystem::relative(entry.path(), from);
        if (entry.is_regular_file() && entry.path().extension() == ".glsl" && *relative.begin() != "lib")
            sources.push_back(relative);
    }
    std::sort(sources.begin(), sources.end());
    bool ok = true;
    for (const auto& relative : sources) {
        auto text = read_file((from / relative).string());
        std::string expanded;
        if (!text || !expand(*text, from / "lib", 0, expanded)) {
            std::fprintf(stderr, "brinefall-assets: cannot prepare shader %s\n", relative.c_str());
            ok = false;
            continue;
        }
        pack.add(relative.string(), "shader source", [&] { return expanded; });
    }
    if (!pack.listing()) remove_stale_shaders(pack.out(), sources);
    return ok;
}
