#pragma once
// The one exception of the show: a motion clip (or a part mesh it loads) names a file that cannot
// be opened. Nothing inside the show catches it; programs end with a message naming the file.
#include <stdexcept>
#include <string>

class fileNotFound : public std::runtime_error {
public:
    explicit fileNotFound(const std::string& file_name)
        : std::runtime_error("File \"" + file_name + "\" not found."), file_name(file_name) {}
    std::string file_name;
};
