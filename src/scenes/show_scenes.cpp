#include "scenes/show_scenes.h"

#include "scenes/finale/part_text.h"
#include "scenes/loader/part_loader.h"
#include "scenes/middle/part_middle.h"
#include "scenes/opening/part_begin.h"
#include "scenes/toys/part_toys.h"

SceneFactories show_scene_factories() {
    SceneFactories factories;
    factories.loader = [] { return new part_loader; };
    factories.scenes[0] = [] { return new part_begin; };
    factories.scenes[1] = [] { return new part_toys; };
    factories.scenes[2] = [] { return new part_middle; };
    factories.scenes[3] = [] { return new part_text; };
    return factories;
}
