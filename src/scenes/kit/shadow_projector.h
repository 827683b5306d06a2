#pragma once
// The shadow lookup's projector, as the materials of the middle and final scenes read it from
// texture unit 2: the light camera's projector (ShaderLibrary::set_projector_matrix) after the
// inverse of the current modelview, which takes the materials' eye-space points back to the
// world. Call it with the view's modelview current.
#include "core/matrix4.h"

class ShaderLibrary;
struct CameraRecord;

// Loads the projector into unit 2's texture matrix and returns it. Texture unit 0 and the
// modelview matrix mode are current afterwards.
Matrix4 load_shadow_projector(const ShaderLibrary& shaders, const CameraRecord& light);
