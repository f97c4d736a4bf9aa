// gpu/programs.cpp
// Builds every program once at start-up; failures are logged with the driver's log and leave handle 0.
#include "gpu/programs.h"

#include <GL/glew.h>

#include "platform/debugLog.h"
#include "shaderSources.h"

Programs programs;

namespace {
const char versionLine[] = "#version 430\n";

GLuint compileStage(GLenum type, const char* source)
{
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

bool compiled(GLuint shader)
{
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    return status == GL_TRUE;
}

bool linked(GLuint program)
{
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status == GL_TRUE;
}
}

unsigned compileComputeProgram(const char* source, const char* name)
{
    char log[4096] = "";
    GLuint shader = compileStage(GL_COMPUTE_SHADER, source);
    if (!compiled(shader)) {
        glGetShaderInfoLog(shader, sizeof(log), nullptr, log);
        debugLog("SHADER ERROR [%s] compile:\n%s\n", name, log);
        glDeleteShader(shader);
        return 0;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, shader);
    glLinkProgram(program);
    if (!linked(program)) {
        glGetProgramInfoLog(program, sizeof(log), nullptr, log);
        debugLog("SHADER ERROR [%s] link:\n%s\n", name, log);
        glDeleteProgram(program);
        program = 0;
    }
    // The program keeps what it needs from the shader object.
    glDeleteShader(shader);
    return program;
}

std::string composeProgramText(const std::vector<const char*>& pieces)
{
    std::string text = versionLine;
    for (const char* piece : pieces)
        text += piece;
    return text;
}

unsigned buildComputeProgram(const char* name, const std::vector<const char*>& pieces)
{
    return compileComputeProgram(composeProgramText(pieces).c_str(), name);
}

void buildFillPrograms(const std::vector<ProgramRow>& rows)
{
    for (const ProgramRow& row : rows)
        *row.handle = buildComputeProgram(row.name, row.pieces);
}

// A failed stage or link is logged and yields 0, so the renderer skips instead of binding a broken program.
unsigned buildRaymarchProgram(const char* vertexSource, const char* fragmentSource)
{
    char log[4096] = "";
    GLuint vertex = compileStage(GL_VERTEX_SHADER, vertexSource);
    bool ok = compiled(vertex);
    if (!ok) {
        glGetShaderInfoLog(vertex, sizeof(log), nullptr, log);
        debugLog("VS error:\n%s\n", log);
    }
    GLuint fragment = compileStage(GL_FRAGMENT_SHADER, fragmentSource);
    if (!compiled(fragment)) {
        glGetShaderInfoLog(fragment, sizeof(log), nullptr, log);
        debugLog("FS error:\n%s\n", log);
        ok = false;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    if (!linked(program)) {
        glGetProgramInfoLog(program, sizeof(log), nullptr, log);
        debugLog("Link error:\n%s\n", log);
        ok = false;
    }
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    if (!ok) {
        glDeleteProgram(program);
        return 0;
    }
    debugLog("Raymarch frag shader compiled: prog=%u\n", program);
    return program;
}

void buildAllPrograms(const std::vector<ProgramRow>& fillRows)
{
    buildFillPrograms(fillRows);
    programs.updateGI = buildComputeProgram("updateGI", {constants_glsl, updateGI_glsl});
    programs.giCopy = compileComputeProgram(giCopy_glsl, "giCopy");
    programs.updateOccupancy = compileComputeProgram(updateOccupancy_glsl, "updateOccupancy");
    programs.spreadOccupancy = compileComputeProgram(spreadOccupancy_glsl, "spreadOccupancy");
    programs.raymarch =
        buildRaymarchProgram(raymarchVertex_glsl, composeProgramText({constants_glsl, raymarchFragment_glsl}).c_str());
}

void deleteProgram(unsigned& program)
{
    if (program) {
        glDeleteProgram(program);
        program = 0;
    }
}

void deleteAllPrograms(const std::vector<ProgramRow>& fillRows)
{
    for (const ProgramRow& row : fillRows)
        deleteProgram(*row.handle);
    deleteProgram(programs.updateGI);
    deleteProgram(programs.giCopy);
    deleteProgram(programs.updateOccupancy);
    deleteProgram(programs.spreadOccupancy);
    deleteProgram(programs.raymarch);
}

void setUniformInt(unsigned program, const char* name, int value)
{
    glUniform1i(glGetUniformLocation(program, name), value);
}

void setUniformFloat(unsigned program, const char* name, float value)
{
    glUniform1f(glGetUniformLocation(program, name), value);
}
