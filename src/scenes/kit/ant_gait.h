#pragma once
// The ants of the middle and the final scene walk on one leg cycle (each scene poses its own ant
// with it): with u = x - trunc(x), 1 - 10u over the first fifth of each unit (the quick swing
// back, 1 to -1), then 2.5(u - 0.2) - 1 (the slow swing forward).
double ant_leg_wave(double x);
