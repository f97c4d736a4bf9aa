// gpu/occupancy.h
// How far each brick of the volume lies from anything the GI rays could hit or the raymarch could see, in bricks;
// rebuilt after each fill, so both marches may cross the empty bricks around them in one jump.
#pragma once

struct Gpu;

// Voxels per brick edge: small enough to hug the surfaces, large enough that the distances are quick to spread.
constexpr int occupancyBrickSize = 4;
// The most bricks along an edge that the spreading pass can hold: volumes up to 256 voxels.
constexpr int maxOccupancyBricks = 64;

int occupancyBrickCount(int volSize);
// Whether the marches may skip in a volume of this size: skipping must be on, the size the occupancy's, and not
// too large for it.
bool skippingApplies(const Gpu& gpu, int volSize);
void updateOccupancy(Gpu& gpu);
