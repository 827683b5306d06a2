#pragma once
// The commands of brinefall-tool. Each takes the arguments after its name and returns the exit
// status: 0 on success, 2 when its arguments or input cannot be used (after report_error).
#include <string>

int run_jpeg(int argc, char** argv);
int run_obj(int argc, char** argv);
int run_bvh(int argc, char** argv);
int run_path(int argc, char** argv);
int run_extrude(int argc, char** argv);

// Prints "error: MESSAGE" on stderr, so that standard output holds only results; returns 2.
int report_error(const std::string& message);
