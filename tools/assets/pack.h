#pragma once
// The asset pack being written: every generator adds its files here by show-relative name
// ("neomeshes//chess.objt", "textures//w1.png", ...). A file is rewritten only when its bytes
// change, so the pack's timestamps stay put across identical runs.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

class Pack {
public:
    // listing: print the manifest instead of generating anything.
    Pack(std::filesystem::path out, bool listing);

    // Adds one file. make() produces its bytes; it is not called while listing.
    void add(const std::string& name, std::string_view description, const std::function<std::string()>& make);

    bool listing() const { return listing_; }
    const std::filesystem::path& out() const { return out_; }
    int files() const { return files_; }
    int failures() const { return failures_; }

private:
    std::filesystem::path out_;
    bool listing_;
    int files_ = 0;
    int failures_ = 0;
};
