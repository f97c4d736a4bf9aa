// gpu/occupancy.h
// How far each brick of the volume lies from anything the GI rays could hit or the raymarch could see, in bricks;
// rebuilt after each fill, so both marches may cross the empty bricks around them in one jump.
#pragma once

// Voxels per brick edge: small enough to hug the surfaces, large enough that the distances are quick to spread.
constexpr int occupancyBrickSize = 4;
// The most bricks along an edge that the spreading pass can hold: volumes up to 256 voxels.
constexpr int maxOccupancyBricks = 64;

// Off: both marches take every step, the reference the skipping must match. Not a render setting, so scene
// entries leave it alone.
extern bool emptySpaceSkipping;

int occupancyBrickCount(int volSize);
// Whether the marches may skip in a volume of this size: it must be the occupancy's, and not too large for it.
bool skippingApplies(int volSize);
void updateOccupancy();
