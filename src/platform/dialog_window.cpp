#include "platform/dialog_window.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>
#include <imgui.h>
#include <imgui_impl_opengl2.h>
#include <imgui_impl_sdl.h>

#include "platform/window.h"

DialogEnd run_dialog_window(const char* caption, int width, int height,
                            const std::function<bool()>& draw_contents) {
    if (!init_video()) return DialogEnd::failed;
    SDL_Window* window = SDL_CreateWindow(caption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                          height, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    void* gl_context = create_gl_context(window);
    if (!gl_context || !make_gl_current(window, gl_context)) {
        release_gl_context(gl_context);
        close_window(window);
        return DialogEnd::failed;
    }
    SDL_GL_SetSwapInterval(1);

    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;  // the show keeps no settings between runs
    io.LogFilename = nullptr;
    ImGui::StyleColorsClassic();
    ImGui_ImplSDL2_InitForOpenGL(window, gl_context);
    ImGui_ImplOpenGL2_Init();

    DialogEnd end = DialogEnd::closed;
    bool running = true;
    while (running) {
        SDL_Event event;
        bool had_event = false;
        while (SDL_PollEvent(&event)) {
            had_event = true;
            ImGui_ImplSDL2_ProcessEvent(&event);
            const bool closing_window =
                event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE;
            if (event.type == SDL_QUIT || closing_window) {
                end = DialogEnd::window_closed;
                running = false;
            }
        }
        if (!running) break;

        ImGui_ImplOpenGL2_NewFrame();
        ImGui_ImplSDL2_NewFrame();
        ImGui::NewFrame();
        ImGui::SetNextWindowPos(ImVec2(0, 0));
        ImGui::SetNextWindowSize(io.DisplaySize);
        ImGui::Begin("##dialog", nullptr,
                     ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove |
                         ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoSavedSettings);
        running = draw_contents();
        ImGui::End();
        ImGui::Render();

        int drawable_width = 0, drawable_height = 0;
        drawable_size(window, &drawable_width, &drawable_height);
        glViewport(0, 0, drawable_width, drawable_height);
        glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
        swap_window(window);
        // Without vsync (Xvfb) an idle dialog would spin a core.
        if (!had_event) SDL_Delay(10);
    }

    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
    release_gl_context(gl_context);
    close_window(window);
    return end;
}
