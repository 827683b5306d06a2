#pragma once
// Moving a program's uniform values to a newer build of the same program, so that a shader
// reloaded while the show runs draws on with what the scene set, even the values it sets once.
#include <cstdint>

// Every active uniform of `from` (array elements one by one) whose name `to` declares with the
// same type gets `from`'s value in `to`. Leaves the current program as it found it.
void copy_uniform_values(uint32_t from, uint32_t to);
