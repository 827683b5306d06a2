#pragma once
// The lights and fog the lit materials of the opening and the final scene read from the GL's
// fixed-function state: light 0, a directional key light (the moon) given in world space, so set
// with the view's modelview current; light 1, a directional light fixed to the camera; and the
// fog far things sink into.
struct SceneLights {
    float key_direction[4];  // w = 0: directional
    float key_colour[4];
    float camera_direction[4];  // in eye space
    float camera_colour[4];
    float fog_colour[4];
    float fog_density;
};

// Sets the diffuse colours and directions of lights 0 and 1 and the fog's colour and density;
// leaves the modelview matrix mode current.
void set_scene_lights(const SceneLights& lights);
