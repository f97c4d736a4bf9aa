// gpu/programs.h
// Building every GPU program from the embedded sources, with each program's uniform locations resolved once;
// a failed build leaves handle 0 and logs why.
#pragma once

#include <string>
#include <vector>

// Each pass program's uniforms, named once: the names become the location fields and the names looked up.
#define UPDATE_GI_UNIFORMS(X)                                                                                     \
    X(volSampler) X(emissRoughSampler) X(occupancySampler) X(w) X(h) X(d) X(frameId) X(blend) X(raysPerFrame)     \
    X(falloff) X(samplingMode) X(giScale) X(volW) X(multibounce) X(opaquePassthrough) X(brickSize) X(skipEmpty)
#define GI_COPY_UNIFORMS(X) X(w)
#define UPDATE_OCCUPANCY_UNIFORMS(X) X(volSampler) X(volW) X(brickSize)
#define SPREAD_OCCUPANCY_UNIFORMS(X) X(axis)
#define RAYMARCH_UNIFORMS(X)                                                                                      \
    X(volSampler) X(giSampler) X(occupancySampler) X(brickSize) X(skipEmpty) X(refractionIOR) X(bgColor)          \
    X(haloEnabled) X(haloIntensity)

struct UniformSlot {
    const char* name;
    int* location;
};

#define LUMENFOLD_UNIFORM_FIELD(name) int name = -1;
#define LUMENFOLD_UNIFORM_SLOT(name) {#name, &at.name},
#define LUMENFOLD_PROGRAM_KIND(Kind, UNIFORMS)                                                                    \
    struct Kind {                                                                                                  \
        unsigned handle = 0;                                                                                       \
        struct {                                                                                                   \
            UNIFORMS(LUMENFOLD_UNIFORM_FIELD)                                                                      \
        } at;                                                                                                      \
        std::vector<UniformSlot> slots() { return {UNIFORMS(LUMENFOLD_UNIFORM_SLOT)}; }                            \
    };

LUMENFOLD_PROGRAM_KIND(UpdateGiProgram, UPDATE_GI_UNIFORMS)
LUMENFOLD_PROGRAM_KIND(GiCopyProgram, GI_COPY_UNIFORMS)
LUMENFOLD_PROGRAM_KIND(UpdateOccupancyProgram, UPDATE_OCCUPANCY_UNIFORMS)
LUMENFOLD_PROGRAM_KIND(SpreadOccupancyProgram, SPREAD_OCCUPANCY_UNIFORMS)
LUMENFOLD_PROGRAM_KIND(RaymarchProgram, RAYMARCH_UNIFORMS)

// The passes' own programs.
struct Programs {
    UpdateGiProgram updateGI;
    GiCopyProgram giCopy;
    UpdateOccupancyProgram updateOccupancy;
    SpreadOccupancyProgram spreadOccupancy;
    RaymarchProgram raymarch;
};

struct ActiveUniform {
    std::string name;
    int location;
};

// A scene's fill program: the protocol's uniforms, which a fill may leave out, and every uniform the driver
// reports active, which the scene's own names are looked up in.
struct FillProgram {
    unsigned handle = 0;
    int volW = -1, volH = -1, volD = -1, time = -1;
    std::vector<ActiveUniform> active;
};

struct ProgramRow {
    const char* name;
    std::vector<const char*> pieces;  // composed after the version line and the shared bindings, in order
};

unsigned compileComputeProgram(const char* source, const char* name);
unsigned buildComputeProgram(const char* name, const std::vector<const char*>& pieces);
// The version line, the shared binding points and work-group sizes, then the pieces.
std::string composeProgramText(const std::vector<const char*>& pieces);
unsigned buildRaymarchProgram(const char* vertexSource, const char* fragmentSource);
// A fill program with its uniforms resolved; handle 0 when the build failed.
FillProgram buildFillProgram(const ProgramRow& row);
// The names and locations of every uniform the driver reports active in a built program.
std::vector<ActiveUniform> activeUniforms(unsigned program);
// Builds the fill rows in order, then updateGI, giCopy, the two occupancy passes and the raymarch program.
void buildAllPrograms(Programs& programs, std::vector<FillProgram>& fills, const std::vector<ProgramRow>& fillRows);
// Deletes every program built above and zeroes its handle.
void deleteAllPrograms(Programs& programs, std::vector<FillProgram>& fills);
void deleteProgram(unsigned& program);
