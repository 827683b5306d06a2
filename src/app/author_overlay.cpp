#include "app/author_overlay.h"

#include <GL/glew.h>
#include <SDL2/SDL.h>
#include <imgui.h>
#include <imgui_impl_opengl2.h>
#include <imgui_impl_sdl.h>

void AuthorOverlay::open(SDL_Window* window) {
    if (open_) return;
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGui::GetIO().IniFilename = nullptr;  // nothing written next to the show
    ImGui::StyleColorsDark();
    ImGui_ImplSDL2_InitForOpenGL(window, SDL_GL_GetCurrentContext());
    ImGui_ImplOpenGL2_Init();
    open_ = true;
}

void AuthorOverlay::draw(const std::vector<std::string>& lines) {
    if (!open_) return;
    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    ImGui::SetNextWindowPos(ImVec2(8, 8));
    ImGui::SetNextWindowBgAlpha(0.55f);
    ImGui::Begin("author", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_AlwaysAutoResize |
                     ImGuiWindowFlags_NoInputs | ImGuiWindowFlags_NoSavedSettings |
                     ImGuiWindowFlags_NoFocusOnAppearing);
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == '!')
            ImGui::TextColored(ImVec4(1.0f, 0.45f, 0.35f, 1.0f), "%s", line.c_str() + 1);
        else
            ImGui::TextUnformatted(line.c_str());
    }
    ImGui::End();
    ImGui::Render();

    // The GL2 back end sets the fixed-function state it needs but cannot know about programs,
    // framebuffer objects or the other texture units the scenes leave behind.
    glUseProgram(0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
}

void AuthorOverlay::close() {
    if (!open_) return;
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
    open_ = false;
}
