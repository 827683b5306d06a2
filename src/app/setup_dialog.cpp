#include "app/setup_dialog.h"

#include <GL/gl.h>
#include <imgui.h>

#include <string>

#include "platform/dialog_window.h"

namespace {

// The dialog's layout is given in dialog units; these turn them into pixels for ImGui's font.
constexpr float unit_x = 2.2f;
constexpr float unit_y = 1.75f;
constexpr int dialog_width = 243, kDialogHeight = 106;

ImVec2 at(float x, float y) { return ImVec2(x * unit_x, y * unit_y); }

void group_box(const char* label, float x, float y, float width, float height) {
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const ImVec2 origin = ImGui::GetWindowPos();
    const ImVec2 corner = at(x, y);
    const ImVec2 size = at(width, height);
    const ImU32 colour = ImGui::GetColorU32(ImGuiCol_Border);
    const float top = origin.y + corner.y + ImGui::GetFontSize() * 0.5f;
    draw->AddRect(ImVec2(origin.x + corner.x, top),
                  ImVec2(origin.x + corner.x + size.x, origin.y + corner.y + size.y), colour);
    if (*label) {
        const ImVec2 text_at(origin.x + corner.x + 8, origin.y + corner.y);
        const ImVec2 text_size = ImGui::CalcTextSize(label);
        draw->AddRectFilled(ImVec2(text_at.x - 2, text_at.y),
                            ImVec2(text_at.x + text_size.x + 2, text_at.y + text_size.y),
                            ImGui::GetColorU32(ImGuiCol_WindowBg));
        draw->AddText(text_at, ImGui::GetColorU32(ImGuiCol_Text), label);
    }
}

void check_box(const char* label, float x, float y, bool& ticked) {
    ImGui::SetCursorPos(at(x, y));
    ImGui::Checkbox(label, &ticked);
}

}  // namespace

SetupAnswer show_setup_dialog(const std::vector<DisplayMode>& modes, SetupOptions& options, int& selected) {
    std::vector<std::string> lines;
    for (DisplayMode mode : modes) lines.push_back(resolution_line(mode));

    SetupAnswer answer = SetupAnswer::quit;
    const auto draw = [&]() {
        // The dialog's GL context runs on the driver the show's will: its renderer decides the
        // render scale offered first (unless the command line chose one).
        if (options.render_scale == render_scale_unchosen) {
            const GLubyte* renderer = glGetString(GL_RENDERER);
            options.render_scale =
                preselected_render_scale(renderer ? reinterpret_cast<const char*>(renderer) : "");
        }
        group_box("Resolution", 2, 3, 238, 28);
        group_box("", 2, 29, 238, 26);
        group_box("", 2, 53, 238, 22);
        group_box("", 2, 73, 238, 32);

        ImGui::SetCursorPos(at(16, 12));
        ImGui::SetNextItemWidth(212 * unit_x);
        const char* shown = selected >= 0 ? lines[selected].c_str() : "";
        if (ImGui::BeginCombo("##resolution", shown)) {
            for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
                ImGui::PushID(i);
                if (ImGui::Selectable(lines[i].c_str(), i == selected)) selected = i;
                if (i == selected) ImGui::SetItemDefaultFocus();
                ImGui::PopID();
            }
            ImGui::EndCombo();
        }

        check_box("Antialiased", 18, 37, options.antialiased);
        check_box("Windowed", 68, 37, options.windowed);
        check_box("Force 16:9", 117, 37, options.force_16_9);
        check_box("Low spec GPU", 167, 37, options.low_spec);

        ImGui::SetCursorPos(at(18, 60));
        ImGui::TextUnformatted("render scale");
        ImGui::SameLine();
        ImGui::SetNextItemWidth(60 * unit_x);
        const std::string scale = render_scale_label(options.render_scale);
        if (ImGui::BeginCombo("##render_scale", scale.c_str())) {
            for (double choice : render_scales)
                if (ImGui::Selectable(render_scale_label(choice).c_str(), choice == options.render_scale))
                    options.render_scale = choice;
            if (ImGui::Selectable("auto", options.render_scale <= 0.0)) options.render_scale = 0.0;
            ImGui::EndCombo();
        }
        check_box("Author mode", 167, 59, options.author_mode);

        // "Run ... " is the default button (Enter); Escape is the dialog's cancel, "Quit".
        const bool enter = ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter)) ||
                           ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_KeyPadEnter));
        const bool escape = ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape));
        // While the resolution list is open, Enter and Escape belong to it.
        const bool list_open = ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId);
        ImGui::SetCursorPos(at(17, 79));
        if (ImGui::Button("Run ... ", at(143, 21)) || (enter && !list_open)) {
            answer = SetupAnswer::run;
            return false;
        }
        ImGui::SetCursorPos(at(185, 79));
        if (ImGui::Button("Quit", at(24, 21)) || (escape && !list_open)) {
            answer = SetupAnswer::quit;
            return false;
        }
        return true;
    };

    const ImVec2 size = at(dialog_width, kDialogHeight);
    const DialogEnd end =
        run_dialog_window(setup_caption, static_cast<int>(size.x), static_cast<int>(size.y), draw);
    if (end == DialogEnd::failed) return SetupAnswer::unavailable;
    return end == DialogEnd::closed ? answer : SetupAnswer::quit;
}
