// gpu/programs.h
// Building every GPU program from the embedded sources; a failed build leaves handle 0 and logs why.
#pragma once

#include <string>
#include <vector>

struct Programs {
    unsigned fillShutters = 0;
    unsigned fillIntro = 0;
    unsigned fillCathedral = 0;
    unsigned fillCornell = 0;
    unsigned updateGI = 0;
    unsigned giCopy = 0;
    unsigned raymarch = 0;
};
extern Programs programs;

struct ProgramRow {
    const char* name;
    std::vector<const char*> pieces;  // composed after the version line, in order
    unsigned* handle;
};

// The fill programs of the composition table, in build order.
std::vector<ProgramRow> fillProgramRows();

unsigned compileComputeProgram(const char* source, const char* name);
unsigned buildComputeProgram(const char* name, const std::vector<const char*>& pieces);
std::string composeProgramText(const std::vector<const char*>& pieces);
void buildFillPrograms(const std::vector<ProgramRow>& rows);
unsigned buildRaymarchProgram(const char* vertexSource, const char* fragmentSource);
void buildAllPrograms();

// Uniforms are looked up by name at every use.
void setUniformInt(unsigned program, const char* name, int value);
void setUniformFloat(unsigned program, const char* name, float value);
