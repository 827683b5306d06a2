#pragma once
// The show's scene roster: the constructors start-up fills the roster with, in slot order
// (opening, toys, middle, final), and the loading screen's. A scene without a constructor yet
// leaves its slot empty; the frame driver skips it.
#include "show/roster.h"

SceneFactories show_scene_factories();
