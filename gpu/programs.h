// gpu/programs.h
// Building every GPU program from the embedded sources; a failed build leaves handle 0 and logs why.
#pragma once

#include <string>
#include <vector>

// The passes' own programs; each scene's fill program is held by its scene and reached through a ProgramRow.
struct Programs {
    unsigned updateGI = 0;
    unsigned giCopy = 0;
    unsigned updateOccupancy = 0;
    unsigned spreadOccupancy = 0;
    unsigned raymarch = 0;
};
extern Programs programs;

struct ProgramRow {
    const char* name;
    std::vector<const char*> pieces;  // composed after the version line, in order
    unsigned* handle;
};

unsigned compileComputeProgram(const char* source, const char* name);
unsigned buildComputeProgram(const char* name, const std::vector<const char*>& pieces);
std::string composeProgramText(const std::vector<const char*>& pieces);
void buildFillPrograms(const std::vector<ProgramRow>& rows);
void deleteProgram(unsigned& program);
unsigned buildRaymarchProgram(const char* vertexSource, const char* fragmentSource);
// Builds the fill rows in order, then updateGI, giCopy, the two occupancy passes and the raymarch
// program.
void buildAllPrograms(const std::vector<ProgramRow>& fillRows);
// Deletes every program built above and zeroes its handle.
void deleteAllPrograms(const std::vector<ProgramRow>& fillRows);

// Uniforms are looked up by name at every use.
void setUniformInt(unsigned program, const char* name, int value);
void setUniformFloat(unsigned program, const char* name, float value);
