#pragma once
// An OBJ object placed as a movable. Its file-reading step reads nothing (the show's meshes go
// through Mesh), so its lists stay empty and its bounds collapse to the origin; rigid objects copy
// these lists and draw whatever they hold.
#include <string>
#include <vector>

#include "render/movable.h"

// A material group: colours and the triangles drawn with them (1-based corner indices, as in
// the file, selecting vertex and normal i - 1).
struct ObjGroup {
    float ambient[4] = {};
    float diffuse[4] = {};
    float specular[4] = {};
    float shininess = 0.0f;
    float alpha = 1.0f;
    std::vector<int> triangles;  // three corner indices per triangle
};

class objloader : public movable {
public:
    // Splits the path at its last "/" into directory and file name, runs the reading step,
    // sets the scale to 1 and computes the bounds.
    explicit objloader(const std::string& path);

    // Per-axis minimum and maximum over the vertex list; an empty list gives a box of size zero
    // at the origin.
    void compute_bounds() override;

    std::string directory;  // up to and including the last "/"; empty without one
    std::string file_name;
    std::vector<float> vertices;  // 3 floats per vertex
    std::vector<float> normals;   // 3 floats per normal, indexed like vertices
    std::vector<ObjGroup> groups;
    float centre[3] = {};  // reference point of the mesh
    bool translucent = false;
    float scale = 0.0f;

private:
    // The show keeps no OBJ data in this object: the step reads nothing.
    void read_file() {}
};
