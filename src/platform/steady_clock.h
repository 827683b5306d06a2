#pragma once
// Seconds on a monotonic clock with an arbitrary origin; only differences mean anything.
double steady_seconds();
