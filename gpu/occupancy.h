// gpu/occupancy.h
// Which bricks of the volume, and which regions of 4^3 bricks, hold anything the GI rays or the raymarch can see;
// rebuilt after each fill.
#pragma once

// Voxels per brick edge: bricks hug the surfaces, regions (16 voxels) cross open space.
constexpr int occupancyBrickSize = 4;

// Off: both marches take every step, the reference the skipping must match. Not a render setting, so scene
// entries leave it alone.
extern bool emptySpaceSkipping;

int occupancyBrickCount(int volSize);
void updateOccupancy();
