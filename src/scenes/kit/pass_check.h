#pragma once
// Debug builds report every pending GL error after a pass, naming the scene and the pass
// ("GL error 0x0502 after the toys' light pass"); release builds read nothing.
void check_pass(const char* scene, const char* pass);
