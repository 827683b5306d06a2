#pragma once
// Author mode's overlay: lines of text in a small translucent panel at the top left of the show's
// window, drawn with Dear ImGui over whatever the frame left in the window's back buffer.
#include <string>
#include <vector>

struct SDL_Window;

class AuthorOverlay {
public:
    // Prepares ImGui on the show's window and its current GL context.
    void open(SDL_Window* window);
    // Draws the lines into the window's back buffer; lines starting with '!' in a warning colour.
    void draw(const std::vector<std::string>& lines);
    void close();
    ~AuthorOverlay() { close(); }

private:
    bool open_ = false;
};
