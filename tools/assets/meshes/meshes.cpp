#include "tools/assets/generators.h"
#include "tools/assets/meshes/mesh_catalogue.h"
#include "tools/assets/meshes/models.h"
#include "tools/assets/meshes/obj_writer.h"

#include <string>

namespace {

Model vehicle1() { return build_vehicle(1); }
Model vehicle2() { return build_vehicle(2); }
Model vehicle3() { return build_vehicle(3); }
Model human4() { return build_human4(false); }
Model human4_coarse() { return build_human4(true); }
Model ant() { return build_ant(false); }
Model ant_coarse() { return build_ant(true); }
Model asm1() { return build_lettering(1); }
Model asm2() { return build_lettering(2); }

// clang-format off
constexpr MeshFile kMeshes[] = {
    // opening scene
    {"neomeshes//seaplane.obj", "sea surface: 40 x 40 rippled grid at y = 0", build_seaplane, false},
    {"neomeshes//seafloor.obj", "sea floor: 300 x 300 sand dunes (0), boulders (1), kelp (2)", build_seafloor, false},
    {"neomeshes//background2.obj", "far shore: two mountain ranges (0), rock stacks (1), lighthouse (2); 60 units wide", build_background2, false},
    {"neomeshes//manymen.obj", "Escher stair: four flights round a column (0) climbed by 20 small men (1)", build_manymen, false},
    {"neomeshes//human4.obj", "figure skin: 19 parts numbered as the figure draws them (0 rFoot .. 18 head), placed for the clips' skeleton", human4, false},
    {"neomeshes//human4coarse.obj", "the figure skin with half the facets round each part, for figures far away", human4_coarse, false},
    {"neomeshes//fishbait22.obj", "bait fish 1 unit long along +z: eyes (0), dark back and tail (1), fins (2), gills (3), pale belly (4)", build_fishbait22, true},
    // toys scene
    {"neomeshes//chess.obj", "chess set: board (0, top y = -1.8), rim (1), 32 pieces (2-33), 7 beside the board (34-40)", build_chess, false},
    {"neomeshes//vehicle1.obj", "toy hatchback along x: body (0), cabin (1), wheels fl/fr/rl/rr (2-5)", vehicle1, false},
    {"neomeshes//vehicle2.obj", "toy van along x: body (0), cabin (1), wheels fl/fr/rl/rr (2-5)", vehicle2, false},
    {"neomeshes//vehicle3.obj", "toy lorry with crates along x: bed (0), cab (1), wheels fl/fr/rl/rr (2-5)", vehicle3, false},
    {"neomeshes//pavement.obj", "pressable floor plates of tiles: 2 x 6 slab (0), 2 x 12 walkway (1)", build_pavement, false},
    {"neomeshes//tree.obj", "toy tree: turned trunk (0), three foliage balls (1)", build_tree, false},
    {"neomeshes//ford.obj", "old open car along x: body (0), roof on posts (1), spoked wheels (2), lamps (3)", build_ford, false},
    {"neomeshes//wires.obj", "telegraph line along x: 11 poles (0), sagging wires (1)", build_wires, false},
    {"neomeshes//labyrinth.obj", "14 x 14 maze: floor at y = -0.53 (0), walls (1) with a straight corridor along z", build_labyrinth, false},
    {"neomeshes//tank2.obj", "tank along x: wheel axles 0-4 and 8 on the toys scene's axle centres, tracks 5/6, turret 7, hull 9", build_tank2, false},
    {"neomeshes//sea.obj", "sea surface: 160 x 160 wave grid at y = 0", build_sea, false},
    {"neomeshes//thebridge.obj", "three-arch stone bridge along x: deck at y = 6 (0), arches (1), railings (2)", build_thebridge, false},
    {"neomeshes//transf1.obj", "block robot toy standing: torso (0), head (1), arms (2), legs (3)", build_transf1, false},
    {"neomeshes//transf1a.obj", "the block robot folded into its car form: torso (0), head (1), arms (2), legs (3)", build_transf1a, false},
    {"neomeshes//transf3.obj", "block crane toy: tracked base (0), cab (1), boom (2), hook (3)", build_transf3, false},
    {"neomeshes//box.obj", "unit cube centred on the origin", build_box, false},
    {"neomeshes//cylinder2.obj", "cylinder of radius 0.5, height 1, centred on the origin", build_cylinder2, false},
    // middle scene
    {"neomeshes//obj1.obj", "paper village: ground sheet (0), folded hills (1), little houses (2)", build_obj1, false},
    {"neomeshes//ant.obj", "ant facing -z: head (0), thorax (1), left legs (2-4), gaster (5), right legs (6-8), hinged as drawn", ant, false},
    {"neomeshes//antcoarse.obj", "the ant with half the facets round each part, for ants far away", ant_coarse, false},
    {"neomeshes//kolones.obj", "temple front: steps, entablature and pediment (0), eight columns (1)", build_kolones, false},
    {"neomeshes//forks.obj", "five giant table forks standing on their handles (0-4)", build_forks, false},
    {"neomeshes//circle.obj", "flat rings of radius 1 in the xy plane: ring (0), halo of bars (1)", build_circle, false},
    {"neomeshes//theplane.obj", "folded paper aeroplane, nose +z: wings (0), keel (1)", build_theplane, false},
    {"neomeshes//thelong.obj", "accordion-folded paper strip 60 units long along x", build_thelong, false},
    {"neomeshes//thecity1.obj", "city 120 units square: ground (0), building blocks (1), spired towers (2)", build_thecity1, false},
    {"neomeshes//tstar.obj", "five-pointed star 1 unit across, 0.12 thick, in the xy plane", build_tstar, false},
    // final scene
    {"neomeshes//sphere.obj", "moon: unit UV sphere", build_sphere, false},
    {"neomeshes//bait3.obj", "mosaic face of tiles: upper pieces (0), lower pieces (1)", build_bait3, false},
    {"neomeshes//faces.obj", "four small faces side by side: smiling (0), frowning (1), astonished (2), calm (3)", build_faces, false},
    {"neomeshes//diver.obj", "deep-sea diver 1.9 units tall: suit (0), helmet (1), lead weights (2)", build_diver, false},
    {"neomeshes//Asm1.obj", "credits lettering in blocks: title \"Brinefall\" (0), year \"2010\" (1)", asm1, false},
    {"neomeshes//Asm2.obj", "credits lettering in blocks: \"OVK\" (0), \"quietglyph\" (1)", asm2, false},
    {"neomeshes//tree3.obj", "big broad tree about 14 units tall: trunk and boughs (0), leaves (1)", build_tree3, false},
    {"neomeshes//bighouse2.obj", "two-storey house: walls (0), roof (1), windows (2), door (3), chimney (4), porch (5)", build_bighouse2, false},
    {"neomeshes//wall.obj", "brick wall of 1,408 quads (face i = brick i), 3 x 2 units about the origin, facing -z", build_wall, false},
    {"neomeshes//fish.obj", "deep-bodied fish 2 units long along +z: body (0), fins (1), eyes (2)", build_fish, false},
};
// clang-format on

}  // namespace

std::span<const MeshFile> mesh_catalogue() { return kMeshes; }

void add_meshes(Pack& pack) {
    for (const MeshFile& mesh : kMeshes) {
        std::string alternate = std::string(mesh.name) + "t";
        pack.add(alternate, mesh.description,
                 [&mesh] { return write_obj(mesh.build(), mesh.description, true); });
        if (mesh.plain)
            pack.add(mesh.name, mesh.description,
                     [&mesh] { return write_obj(mesh.build(), mesh.description, false); });
    }
}
