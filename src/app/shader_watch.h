#pragma once
// Author mode's live shaders: the sources every scene loaded are watched, and one that is saved
// is compiled again in every scene and program slot that uses it. A source that does not compile
// leaves those programs as they were (ShaderLibrary::reload), so the picture never goes black.
#include <filesystem>
#include <string>
#include <vector>

class ShaderLibrary;

class ShaderWatch {
public:
    // The files of every loaded slot of these libraries, as they are now.
    void watch(const std::vector<ShaderLibrary*>& libraries);
    // What the last look found, for the overlay: "f_x.glsl: reloaded in 2 programs", or the
    // compiler's complaint; empty when nothing was saved.
    struct News {
        std::string text;
        bool failed = false;
    };
    // Reloads what was saved since the last look; GL.
    News reload_saved();

    size_t watched() const { return sources_.size(); }

private:
    struct User {
        ShaderLibrary* library;
        int slot;
    };
    struct Source {
        std::string file;  // as the scenes name it, with the source extension
        std::filesystem::file_time_type written;
        std::vector<User> users;
    };
    std::vector<Source> sources_;
};
