#pragma once
// The commands of brinefall-tool. Each takes the arguments after its name and returns the exit
// status: 0 on success, 2 when the input cannot be read (after printing "error ...").
int run_jpeg(int argc, char** argv);
int run_obj(int argc, char** argv);
int run_bvh(int argc, char** argv);
int run_path(int argc, char** argv);
int run_extrude(int argc, char** argv);
