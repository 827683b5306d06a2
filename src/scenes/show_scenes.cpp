#include "scenes/show_scenes.h"

SceneFactories show_scene_factories() {
    SceneFactories factories;
    return factories;
}
