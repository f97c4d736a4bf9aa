// gpu/fillDispatch.h
// The protocol every scene's fill follows: volume images and Constants bound, the protocol's uniforms and the
// scene's own set, one invocation per voxel, then a full barrier.
#pragma once

struct FillPlan;
struct FillProgram;
struct Gpu;

// Runs the fill program of the plan's registry row. Does nothing without a fill program or a volume.
void dispatchFill(Gpu& gpu, const FillPlan& plan);
// The same with a given program. The scene's uniforms are looked up in the names the program declares; a name it
// does not declare is a typo, caught by an assertion in Debug builds and skipped otherwise.
void dispatchFillProgram(Gpu& gpu, const FillProgram& program, const FillPlan& plan);
