#include "tests/wiring/frame_passes.h"

#include <GL/glew.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "render/graphics_context.h"

std::vector<RecordedPass> group_passes(const std::vector<GlEvent>& events) {
    std::vector<RecordedPass> passes;
    RecordedPass current;
    bool open = false;
    int last_colour = -1;  // the attachment the current resolve copied last
    bool depth_copied = false;
    const auto close = [&] {
        if (open) passes.push_back(std::move(current));
        current = RecordedPass{};
        open = false;
        last_colour = -1;
        depth_copied = false;
    };
    for (const GlEvent& event : events) {
        const bool resolved = !current.writes.empty() || current.blit_to_window;
        if (event.kind == GlEvent::draw) {
            const DrawRecord& d = event.draw_record;
            if (open && (resolved || d.framebuffer != current.framebuffer || d.outputs != current.outputs))
                close();
            if (!open) {
                current.framebuffer = d.framebuffer;
                current.outputs = d.outputs;
                open = true;
            }
            current.draws.push_back(d);
            continue;
        }
        const BlitRecord& b = event.blit_record;
        const bool another_resolve =
            resolved && (depth_copied || (!b.depth && b.read_attachment <= last_colour));
        if (open && (another_resolve || b.from_framebuffer != current.framebuffer)) close();
        if (!open) {
            current.framebuffer = b.from_framebuffer;
            open = true;
        }
        if (b.to_framebuffer == 0)
            current.blit_to_window = true;
        else
            current.writes.push_back({b.texture, b.depth});
        if (b.depth)
            depth_copied = true;
        else
            last_colour = b.read_attachment;
    }
    close();
    return passes;
}

GlNames::GlNames(const GraphicsContext& context) {
    for (int i = GraphicsContext::colour0_renderbuffer_index; i <= GraphicsContext::base_index; ++i)
        if (context.texture_table[i] != 0) start_up_entries_[i] = context.texture_table[i];
}

int GlNames::slot_of(const GraphicsContext& context, uint32_t texture) const {
    if (texture == 0) return -1;
    for (int i = 0; i < GraphicsContext::table_size; ++i) {
        if (context.texture_table[i] != texture) continue;
        const auto start_up = start_up_entries_.find(i);
        if (start_up != start_up_entries_.end() && start_up->second == texture) continue;
        return i;
    }
    return -1;
}

std::string GlNames::texture(const GraphicsContext& context, uint32_t texture) const {
    if (texture == 0) return "no texture";
    const int slot = slot_of(context, texture);
    return slot >= 0 ? "slot " + std::to_string(slot)
                     : "texture " + std::to_string(texture) + " (in no slot)";
}

int GlNames::target_of(const GraphicsContext& context, uint32_t framebuffer) {
    if (framebuffer == 0) return -1;
    for (int i = 0; i < GraphicsContext::render_target_count; ++i)
        if (context.texture_table[GraphicsContext::draw_framebuffer_index + i] == framebuffer) return i;
    return -2;
}

std::string single_slashes(std::string name) {
    for (std::size_t at; (at = name.find("//")) != std::string::npos;) name.erase(at, 1);
    return name;
}

std::string ProgramFiles::describe() const {
    std::string text;
    if (!vertex.empty()) text = vertex + " + ";
    text += fragment.empty() ? "(no fragment shader)" : fragment;
    for (const std::string& define : defines) text += " [" + define + "]";
    return text;
}

ShaderFiles::ShaderFiles(const std::string& show_dir) {
    namespace fs = std::filesystem;
    const fs::path root(show_dir);
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".glsl") continue;
        std::ifstream file(entry.path(), std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        fs::path name = fs::relative(entry.path(), root);
        name.replace_extension();
        name_by_content_[text.str()] = name.generic_string();
    }
}

std::string ShaderFiles::match(const std::string& source, std::vector<std::string>& defines) const {
    const auto exact = name_by_content_.find(source);
    if (exact != name_by_content_.end()) return exact->second;
    // A copy: "#define" lines inserted after the #version line (or in front without one). The
    // file may itself begin with defines, so try every split of the leading define lines.
    std::size_t first_end = 0;
    if (source.rfind("#version", 0) == 0) first_end = source.find('\n') + 1;
    std::vector<std::string> inserted;
    for (std::size_t at = first_end; source.compare(at, 8, "#define ") == 0;) {
        const std::size_t end = source.find('\n', at);
        if (end == std::string::npos) break;
        inserted.push_back(source.substr(at, end - at));
        at = end + 1;
        const auto found = name_by_content_.find(source.substr(0, first_end) + source.substr(at));
        if (found != name_by_content_.end()) {
            for (const std::string& line : inserted) defines.push_back(line.substr(8));
            return found->second;
        }
    }
    return "(generated)";
}

ProgramFiles ShaderFiles::identify(uint32_t program) {
    if (program == 0) return {};
    const auto known = by_program_.find(program);
    if (known != by_program_.end()) return known->second;
    ProgramFiles files;
    GLuint shaders[8] = {};
    GLsizei count = 0;
    glGetAttachedShaders(program, 8, &count, shaders);
    for (GLsizei i = 0; i < count; ++i) {
        GLint type = 0, length = 0;
        glGetShaderiv(shaders[i], GL_SHADER_TYPE, &type);
        glGetShaderiv(shaders[i], GL_SHADER_SOURCE_LENGTH, &length);
        std::string source(static_cast<std::size_t>(length), '\0');
        if (length > 0) glGetShaderSource(shaders[i], length, nullptr, source.data());
        if (!source.empty() && source.back() == '\0') source.pop_back();
        std::vector<std::string> defines;
        const std::string name = match(source, defines);
        if (type == GL_VERTEX_SHADER) {
            files.vertex = name;
        } else {
            files.fragment = name;
            files.fragment_source = source;
        }
        for (const std::string& define : defines)
            if (std::find(files.defines.begin(), files.defines.end(), define) == files.defines.end())
                files.defines.push_back(define);
    }
    return by_program_[program] = files;
}
