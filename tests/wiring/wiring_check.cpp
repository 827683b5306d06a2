#include "tests/wiring/wiring_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <sstream>

#include "render/graphics_context.h"

namespace {

std::string values(const std::vector<double>& v) {
    std::ostringstream text;
    for (std::size_t i = 0; i < v.size(); ++i) text << (i ? ", " : "") << v[i];
    return v.size() == 1 ? text.str() : "(" + text.str() + ")";
}

bool close_enough(const std::vector<double>& seen, const std::vector<double>& expected) {
    if (seen.size() != expected.size()) return false;
    for (std::size_t i = 0; i < seen.size(); ++i)
        if (std::fabs(seen[i] - expected[i]) > 1e-4 + 1e-5 * std::fabs(expected[i])) return false;
    return true;
}

bool contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// "#define NAME VALUE" in the source; the VALUE text, or "" when there is none.
std::string macro(const std::string& source, const std::string& name) {
    std::istringstream lines(source);
    std::string line;
    const std::string head = "#define " + name + " ";
    while (std::getline(lines, line))
        if (line.rfind(head, 0) == 0) return line.substr(head.size());
    return {};
}

}  // namespace

std::string WiringCheck::program_key(uint32_t program) {
    if (program == 0) return "fixed function";
    const ProgramFiles files = shaders_.identify(program);
    return files.fragment == "(generated)" ? files.vertex : files.fragment;
}

bool WiringCheck::uniform_seen(const DrawRecord& draw, const std::string& name, std::vector<double>& value) {
    for (const UniformValue& u : draw.uniforms)
        if (u.name == name) {
            value = u.value;
            return true;
        }
    const ProgramFiles files = shaders_.identify(draw.program);
    if (files.defines.empty()) return false;
    // A copy that turned the uniform into a macro of its inserted defines.
    const std::string folded = macro(files.fragment_source, name);
    if (!folded.empty()) {
        std::string text = folded;
        for (const std::string& define : files.defines)
            if (define.rfind(folded + " ", 0) == 0) text = define.substr(folded.size() + 1);
        char* end = nullptr;
        const double v = std::strtod(text.c_str(), &end);
        if (end != text.c_str()) {
            value = {v};
            return true;
        }
    }
    // A copy that left the uniform unread: what the program it was made from (made current
    // just before it, to be handed the pass's values) was given.
    for (uint32_t origin : draw.programs_made_current) {
        const ProgramFiles files_of_origin = shaders_.identify(origin);
        if (origin == draw.program || !files_of_origin.defines.empty() ||
            files_of_origin.fragment != files.fragment)
            continue;
        for (const UniformValue& u : uniform_values(origin))
            if (u.name == name) {
                value = u.value;
                return true;
            }
    }
    return false;
}

void WiringCheck::compare_samplers(const DrawRecord& draw, const std::vector<ExpectedSampler>& expected,
                                   bool full_screen, const std::string& pass, std::vector<Difference>& out) {
    const bool copy = draw.program != 0 && !shaders_.identify(draw.program).defines.empty();
    for (const ExpectedSampler& e : expected) {
        const auto seen = std::find_if(draw.samplers.begin(), draw.samplers.end(),
                                       [&](const SamplerRead& s) { return s.name == e.name; });
        const uint32_t wanted = context_.texture_name(e.slot);
        if (seen == draw.samplers.end()) {
            // A material's shader reads the samplers it needs; a full-screen pass must read its
            // inputs, unless it draws with a copy whose settings make that input weigh nothing.
            if (full_screen && !copy)
                out.push_back({clock_, pass, "sampler " + e.name,
                               "not read (expected slot " + std::to_string(e.slot) + ")"});
        } else if (seen->texture != wanted) {
            out.push_back({clock_, pass, "sampler " + e.name,
                           "reads " + texture(seen->texture) + ", expected slot " + std::to_string(e.slot)});
        }
    }
    if (!full_screen) return;
    for (const SamplerRead& s : draw.samplers) {
        if (std::any_of(expected.begin(), expected.end(),
                        [&](const ExpectedSampler& e) { return e.name == s.name; }))
            continue;
        const bool an_input = std::any_of(expected.begin(), expected.end(), [&](const ExpectedSampler& e) {
            return context_.texture_name(e.slot) == s.texture;
        });
        const bool a_part = std::find(copy_parts_.begin(), copy_parts_.end(), s.texture) != copy_parts_.end();
        if (copy && (an_input || a_part)) continue;
        out.push_back({clock_, pass, "sampler " + s.name, "reads " + texture(s.texture) + ", expected none"});
    }
}

void WiringCheck::compare_uniforms(const DrawRecord& draw, const std::vector<ExpectedUniform>& expected,
                                   bool full_screen, const std::string& pass, std::vector<Difference>& out) {
    for (const ExpectedUniform& e : expected) {
        std::vector<double> seen;
        if (!uniform_seen(draw, e.name, seen)) {
            if (full_screen)
                out.push_back({clock_, pass, "uniform " + e.name,
                               "not read by " + shaders_.identify(draw.program).describe()});
        } else if (!close_enough(seen, e.value))
            out.push_back(
                {clock_, pass, "uniform " + e.name, values(seen) + ", expected " + values(e.value)});
    }
}

void WiringCheck::compare_full_screen(const RecordedPass& recorded, const ExpectedPass& expected,
                                      std::vector<Difference>& out) {
    for (const DrawRecord& draw : recorded.draws) {
        const std::string files = draw.program ? shaders_.identify(draw.program).fragment : "";
        if (files != expected.program) {
            out.push_back({clock_, expected.name, "program",
                           (draw.program ? shaders_.identify(draw.program).describe() : "fixed function") +
                               ", expected " +
                               (expected.program.empty() ? "fixed function" : expected.program)});
            return;
        }
    }
    // Full-screen passes draw their quad once; what the first draw sees is what the pass sees.
    const DrawRecord& draw = recorded.draws.front();
    compare_samplers(draw, expected.samplers, true, expected.name, out);
    compare_uniforms(draw, expected.uniforms, true, expected.name, out);
    if (expected.grey >= 0 && (std::fabs(draw.colour[0] - expected.grey) > 2e-3 ||
                               std::fabs(draw.colour[1] - expected.grey) > 2e-3 ||
                               std::fabs(draw.colour[2] - expected.grey) > 2e-3)) {
        char detail[96];
        std::snprintf(detail, sizeof detail, "(%.4f, %.4f, %.4f), expected %.4f", draw.colour[0],
                      draw.colour[1], draw.colour[2], expected.grey);
        out.push_back({clock_, expected.name, "grey", detail});
    }
}

void WiringCheck::compare_scene(const RecordedPass& recorded, const ExpectedPass& expected,
                                std::vector<Difference>& out) {
    std::set<std::string> drawn;
    std::set<std::string> reported;  // each item once per pass
    const auto once = [&](Difference d) {
        if (reported.insert(d.item).second) out.push_back(std::move(d));
    };
    for (const DrawRecord& draw : recorded.draws) {
        const std::string key = program_key(draw.program);
        drawn.insert(key);
        if (draw.program != 0 && !contains(expected.allowed, key))
            once({clock_, expected.name, "program " + key, "draws, but is not one of the scene's programs"});
        for (const MaterialExpectation& m : expected.materials) {
            if (m.fragment != key) continue;
            std::vector<Difference> found;
            compare_samplers(draw, m.samplers, false, expected.name, found);
            compare_uniforms(draw, m.uniforms, false, expected.name, found);
            for (Difference& d : found) {
                d.item += " in " + m.fragment;
                once(std::move(d));
            }
        }
    }
    for (const std::string& file : expected.drawing)
        if (!drawn.count(file)) out.push_back({clock_, expected.name, "program " + file, "does not draw"});
    for (const std::string& file : expected.not_drawing)
        if (drawn.count(file))
            out.push_back({clock_, expected.name, "program " + file, "draws, expected not to"});
    if (!expected.last.empty() && !recorded.draws.empty()) {
        const std::string last = program_key(recorded.draws.back().program);
        if (last != expected.last)
            out.push_back({clock_, expected.name, "last program", last + ", expected " + expected.last});
    }
}

void WiringCheck::compare_pass(const RecordedPass& recorded, const ExpectedPass& expected,
                               std::vector<Difference>& out) {
    const int target = GlNames::target_of(context_, recorded.framebuffer);
    if (target != expected.target)
        out.push_back({clock_, expected.name, "target",
                       "draws into " +
                           (target == -1 ? std::string("the window") : "target " + std::to_string(target)) +
                           ", expected " +
                           (expected.target == -1 ? std::string("the window")
                                                  : "target " + std::to_string(expected.target))});
    if (recorded.outputs != expected.outputs)
        out.push_back({clock_, expected.name, "outputs",
                       std::to_string(recorded.outputs) + ", expected " + std::to_string(expected.outputs)});

    std::vector<WrittenTexture> wanted;
    for (int slot : expected.colour) wanted.push_back({context_.texture_name(slot), false});
    if (expected.depth >= 0) wanted.push_back({context_.texture_name(expected.depth), true});
    const auto list = [&](const std::vector<WrittenTexture>& writes) {
        std::string text;
        for (const WrittenTexture& w : writes)
            text += (text.empty() ? "" : ", ") + std::string(w.depth ? "depth " : "") + texture(w.texture);
        return text.empty() ? std::string("nothing") : text;
    };
    const bool same = wanted.size() == recorded.writes.size() &&
                      std::equal(wanted.begin(), wanted.end(), recorded.writes.begin(),
                                 [](const WrittenTexture& a, const WrittenTexture& b) {
                                     return a.texture == b.texture && a.depth == b.depth;
                                 });
    if (!same)
        out.push_back(
            {clock_, expected.name, "writes", list(recorded.writes) + ", expected " + list(wanted)});

    if (expected.outputs == 0) return;  // a copy: nothing is drawn
    if (recorded.draws.empty()) {
        out.push_back({clock_, expected.name, "draws", "none"});
        return;
    }
    if (expected.scene)
        compare_scene(recorded, expected, out);
    else
        compare_full_screen(recorded, expected, out);
}

std::string WiringCheck::describe(const RecordedPass& pass) {
    const int target = GlNames::target_of(context_, pass.framebuffer);
    std::string text = target == -1 ? "window" : "target " + std::to_string(target);
    text += " x" + std::to_string(pass.outputs) + " ->";
    for (const WrittenTexture& w : pass.writes)
        text += std::string(" ") + (w.depth ? "depth " : "") + texture(w.texture);
    if (pass.blit_to_window) text += " window";
    std::set<std::string> programs;
    for (const DrawRecord& d : pass.draws) programs.insert(program_key(d.program));
    text += " (" + std::to_string(pass.draws.size()) + " draws:";
    for (const std::string& p : programs) text += " " + p;
    return text + ")";
}

bool WiringCheck::part_of_next(const RecordedPass& pass, const RecordedPass& next) {
    if (pass.draws.empty() || next.draws.empty() || GlNames::target_of(context_, pass.framebuffer) < 0 ||
        pass.framebuffer == next.framebuffer)
        return false;
    const ProgramFiles part = shaders_.identify(pass.draws.front().program);
    return !part.defines.empty() && part.fragment == shaders_.identify(next.draws.front().program).fragment;
}

std::vector<Difference> WiringCheck::compare(double clock, const std::vector<RecordedPass>& all,
                                             const std::vector<ExpectedPass>& expected) {
    clock_ = clock;
    std::vector<Difference> out;
    std::vector<RecordedPass> recorded;
    copy_parts_.clear();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i + 1 < all.size() && part_of_next(all[i], all[i + 1])) {
            for (const WrittenTexture& w : all[i].writes) copy_parts_.push_back(w.texture);
            continue;
        }
        recorded.push_back(all[i]);
    }
    if (recorded.size() != expected.size()) {
        std::string detail = "recorded:";
        for (const RecordedPass& pass : recorded) detail += "\n    " + describe(pass);
        detail += "\n  expected:";
        for (const ExpectedPass& pass : expected) detail += " " + pass.name + ";";
        out.push_back({clock, "(frame)", "pass sequence", detail});
        return out;
    }
    for (std::size_t i = 0; i < expected.size(); ++i) compare_pass(recorded[i], expected[i], out);
    return out;
}

void report_differences(const std::vector<Difference>& found, const std::vector<KnownDifference>& known) {
    std::vector<bool> seen(known.size(), false);
    for (const Difference& d : found) {
        bool listed = false;
        for (std::size_t i = 0; i < known.size() && !listed; ++i)
            if (d.pass == known[i].pass && d.item == known[i].item &&
                d.detail.find(known[i].detail) != std::string::npos) {
                seen[i] = listed = true;
                std::printf("known difference at clock %.3f, %s, %s: %s (%s)\n", d.clock, d.pass.c_str(),
                            d.item.c_str(), d.detail.c_str(), known[i].reason);
            }
        if (!listed)
            ADD_FAILURE() << "at clock " << d.clock << ", " << d.pass << ", " << d.item << ": " << d.detail;
    }
    for (std::size_t i = 0; i < known.size(); ++i)
        if (!seen[i])
            ADD_FAILURE() << "the known difference \"" << known[i].pass << ", " << known[i].item
                          << "\" did not show in any frame: if it was mended, take it off the list";
}
