#include "tests/support/show_copy.h"

#include <fstream>

#include "tests/support/program_run.h"

namespace fs = std::filesystem;

namespace {

// `folder` made of links to the entries of `original`.
void link_entries(const fs::path& original, const fs::path& folder) {
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(original)) {
        const fs::path link = folder / entry.path().filename();
        if (entry.is_directory())
            fs::create_directory_symlink(entry.path(), link);
        else
            fs::create_symlink(entry.path(), link);
    }
}

}  // namespace

ShowCopy::ShowCopy(const fs::path& original, const fs::path& folder)
    : original_(fs::absolute(original)), folder_(folder) {
    fs::remove_all(folder_);
    link_entries(original_, folder_);
}

fs::path ShowCopy::own_file(const fs::path& relative) {
    fs::path at = folder_, from = original_;
    for (auto part = relative.begin(); part != relative.end(); ++part) {
        at /= *part;
        from /= *part;
        if (std::next(part) == relative.end()) break;
        if (fs::is_symlink(at)) {
            fs::remove(at);
            link_entries(from, at);
        }
    }
    fs::remove(at);
    return at;
}

void ShowCopy::replace(const fs::path& relative, const std::string& bytes) {
    std::ofstream(own_file(relative), std::ios::binary) << bytes;
}

std::string ShowCopy::original_bytes(const fs::path& relative) const {
    return read_whole_file((original_ / relative).string());
}
