// tests/gl/hashReference.h
// The fill library's integer hash on the CPU, for tests that predict what a shader derives from it.
#pragma once

#include <cstdint>

inline float hashRef(uint32_t x)
{
    x = ((x >> 16) ^ x) * 0x45d9f3bu;
    x = ((x >> 16) ^ x) * 0x45d9f3bu;
    x = (x >> 16) ^ x;
    return (float)x * 2.3283064e-10f;
}
