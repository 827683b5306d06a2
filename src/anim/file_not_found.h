#pragma once
// The one exception of the show: a motion clip (or a part mesh it loads) names a file that cannot
// be opened. Start-up catches it where it loads the scenes and ends the show with a message box
// naming the file.
#include <stdexcept>
#include <string>

class fileNotFound : public std::runtime_error {
public:
    explicit fileNotFound(const std::string& file_name)
        : std::runtime_error("File \"" + file_name + "\" not found."), file_name(file_name) {}
    std::string file_name;
};
