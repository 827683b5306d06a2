#pragma once
// Host for a small modal dialog drawn with Dear ImGui: its own window and GL context, shown
// before the show window exists and gone when the dialog closes.
#include <functional>

enum class DialogEnd {
    closed,         // the contents asked to close
    window_closed,  // the viewer closed the window (treated like the dialog's cancel)
    failed,         // no window or GL context could be made
};

// Opens a centred, captioned, non-resizable window of width x height and, every frame, calls
// draw_contents between ImGui::Begin and ImGui::End of one panel filling the window. The dialog
// runs until draw_contents returns false or the window is closed.
DialogEnd run_dialog_window(const char* caption, int width, int height,
                            const std::function<bool()>& draw_contents);
