#pragma once
// A single OBJ object placed by a movable's model matrix and drawn with per-group materials. No
// physics: besides drawing it only computes its own axis-aligned bounds. The motion-clip reader
// creates one for each joint named in its part-mesh table.
//
// Its objloader reads no geometry in this show, so the copied lists are empty and a rigid object
// draws no triangles; with show_bounds set its debugging outline and axes still appear.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "render/movable.h"
#include "render/objloader.h"

class rigid : public movable {
public:
    explicit rigid(const std::string& file_name);

    // Outline (when show_bounds), then the groups under the model matrix with lighting on, then
    // the model-space box and unit axes through centre (when show_bounds).
    void draw() override;
    // The box over all vertices; no vertices give a box of size zero at the origin.
    void compute_bounds() override;

    std::unique_ptr<objloader> source;
    std::vector<std::array<float, 3>> vertices;
    std::vector<std::array<float, 3>> normals;  // indexed like vertices
    std::vector<const ObjGroup*> groups;        // owned by source
    float centre[3] = {};
    bool translucent = false;
    bool visible = true;
};
