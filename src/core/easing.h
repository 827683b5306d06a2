#pragma once
// The easing curves the scenes share for fades and moves.

// Raised-cosine ease of x over [0, 1] (x is clamped), shaped by p: with h = (1 + cos(pi*x)) / 2
// it returns (1 - h^((p-1)/2 + 1))^p. p = 1 is the plain ramp (1 - cos(pi*x)) / 2 from 0 to 1;
// larger p starts later and arrives sooner.
double ease_cos(double x, double p);

// π as the scenes' curves and turns were tuned with.
inline constexpr double pi = 3.14159265358979;

// The eased window every fade and move uses: 0 until `start`, the ease_cos curve of shape p over
// the next 1/rate, then 1.
double eased_window(double t, double start, double rate, double p = 1.0);

// A slow start that joins the identity: with c = max(x, 0) it returns
// c + ((c/2)^2.2 - c) * (1 - min(0.3*c, 1)), which equals c from c = 10/3 on.
double soft_ramp(double x);
