#pragma once
// Wavefront OBJ text for a Model, in the form the show's mesh loader reads.
//
// Every object becomes an `o` statement followed by its `v`, `vt` and `vn` lines and its faces in
// the position/texcoord/normal form ("f 1/1/1 2/2/2 3/3/3"), indices counted from 1 over the
// whole file. No material library: the loader then gives every triangle its default material.
//
// The alternate form (the ".objt" companion the show reads by default) differs in one way: the
// loader reseeds the show's generator with 123456 and draws once per `v` statement, negating the
// position whenever the draw is even, so the writer pre-negates exactly those positions and the
// mesh comes out as modelled.
#include "tools/assets/meshes/model_kit.h"

#include <string>
#include <string_view>

inline constexpr unsigned alternate_sign_seed = 123456;

std::string write_obj(const Model& model, std::string_view comment, bool alternate);
