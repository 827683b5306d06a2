#pragma once
// A copy of the build's show directory for a test to spoil: every entry is a symbolic link to the
// original until the test asks for a file of its own, so a copy costs no disk and no time.
#include <filesystem>
#include <string>

class ShowCopy {
public:
    // Lays out `folder` (emptied first) as a copy of `original`.
    ShowCopy(const std::filesystem::path& original, const std::filesystem::path& folder);

    const std::filesystem::path& folder() const { return folder_; }

    // Makes the file at `relative` (say "neomeshes/chess.objt") the copy's own: every folder on
    // its way becomes a real folder of links, and the file's own link goes. Returns the file's
    // path in the copy; the original is never touched. The file is then missing until written.
    std::filesystem::path own_file(const std::filesystem::path& relative);
    // The file removed from the copy.
    void remove(const std::filesystem::path& relative) { own_file(relative); }
    // The file replaced by `bytes`.
    void replace(const std::filesystem::path& relative, const std::string& bytes);
    // The original file's bytes.
    std::string original_bytes(const std::filesystem::path& relative) const;

private:
    std::filesystem::path original_, folder_;
};
