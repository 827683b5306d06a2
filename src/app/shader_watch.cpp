#include "app/shader_watch.h"

#include <algorithm>

#include "render/shader_library.h"

namespace fs = std::filesystem;

namespace {

fs::file_time_type written_at(const std::string& file) {
    std::error_code ec;
    const fs::file_time_type t = fs::last_write_time(file, ec);
    return ec ? fs::file_time_type::min() : t;
}

}  // namespace

void ShaderWatch::watch(const std::vector<ShaderLibrary*>& libraries) {
    sources_.clear();
    for (ShaderLibrary* library : libraries)
        for (int slot = 0; slot < ShaderLibrary::slot_count; ++slot) {
            if (!library->loaded(slot)) continue;
            for (const std::string& name : {library->vertex_file(slot), library->fragment_file(slot)}) {
                if (name.empty()) continue;
                const std::string file = name + ShaderLibrary::source_extension;
                auto source = std::find_if(sources_.begin(), sources_.end(),
                                           [&](const Source& s) { return s.file == file; });
                if (source == sources_.end())
                    source = sources_.insert(sources_.end(), {file, written_at(file), {}});
                source->users.push_back({library, slot});
            }
        }
}

ShaderWatch::News ShaderWatch::reload_saved() {
    News news;
    for (Source& source : sources_) {
        const fs::file_time_type now = written_at(source.file);
        if (now == source.written) continue;
        source.written = now;
        int reloaded = 0;
        std::string complaint;
        for (const User& user : source.users) {
            std::string log;
            if (user.library->reload(user.slot, log))
                ++reloaded;
            else if (complaint.empty())
                complaint = log;
        }
        news.failed = !complaint.empty();
        news.text = news.failed
                        ? source.file + " does not compile; the scenes keep the last good one:\n" + complaint
                        : source.file + ": reloaded in " + std::to_string(reloaded) + " programs";
    }
    return news;
}
