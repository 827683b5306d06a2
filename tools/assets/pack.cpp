#include "tools/assets/pack.h"

#include "core/file_io.h"

#include <cstdio>

Pack::Pack(std::filesystem::path out, bool listing) : out_(std::move(out)), listing_(listing) {}

void Pack::add(const std::string& name, std::string_view description,
               const std::function<std::string()>& make) {
    ++files_;
    if (listing_) {
        std::printf("%-52s %.*s\n", name.c_str(), static_cast<int>(description.size()), description.data());
        return;
    }
    std::string bytes = make();
    std::string path = (out_ / name).string();
    auto old = read_file(path);
    if (old && *old == bytes) return;
    if (!write_file(path, bytes)) {
        std::fprintf(stderr, "brinefall-assets: cannot write %s\n", path.c_str());
        ++failures_;
    }
}
