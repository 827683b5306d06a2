#pragma once
// The model builders, one per mesh file, grouped by the files that hold them. Each returns the
// model with its objects in the order the scenes draw them by number.
#include "tools/assets/meshes/model_kit.h"

// figure_models.cpp: the figure's skin and models made from posed figures.
// coarse: half the facets round each part, for figures drawn a few dozen pixels tall.
Model build_human4(bool coarse = false);
Model build_manymen();
Model build_diver();

// sea_models.cpp: the opening scene's sea and the fish.
Model build_seaplane();
Model build_seafloor();
Model build_background2();
Model build_fishbait22();
Model build_fish();
Model build_sea();
Model build_thebridge();

// toy_models.cpp: the toys scene.
Model build_chess();
Model build_vehicle(int variant);  // 1, 2 or 3
Model build_ford();
Model build_tank2();
Model build_pavement();
Model build_labyrinth();
Model build_wires();
Model build_transf1();
Model build_transf1a();
Model build_transf3();
Model build_box();
Model build_cylinder2();
Model build_tree();

// paper_models.cpp: the middle scene's paper world.
Model build_obj1();
// coarse: half the facets round each part, for ants drawn a few dozen pixels long.
Model build_ant(bool coarse = false);
Model build_kolones();
Model build_forks();
Model build_circle();
Model build_theplane();
Model build_thelong();
Model build_thecity1();
Model build_tstar();

// night_models.cpp: the final scene.
Model build_sphere();
Model build_bait3();
Model build_faces();
Model build_tree3();
Model build_bighouse2();
Model build_wall();
// lettering.cpp: the credits.
Model build_lettering(int sheet);  // 1 or 2
