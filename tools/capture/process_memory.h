#pragma once
// The process's resident memory, now and its peak, from /proc/self/status: what a long capture
// compares between the end of loading and the end of the show (everything is loaded up front, so
// growth in between is a leak).

// Resident set size in KiB (VmRSS), and its peak so far (VmHWM); -1 when unreadable.
long resident_kb();
long peak_resident_kb();

// The value of a "Name:   1234 kB" line of a /proc status text; -1 when the line is missing.
long status_field_kb(const char* status_text, const char* name);
