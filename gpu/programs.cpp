// gpu/programs.cpp
// Builds every program once at start-up; failures are logged with the driver's log and leave handle 0.
#include "gpu/programs.h"

#include <GL/glew.h>

#include <cassert>

#include "platform/debugLog.h"
#include "shaderSources.h"

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

// A name the program does not declare, or one its compiler dropped, would be set in vain: that is a typo.
template <class Kind>
void resolveUniforms(Kind& kind)
{
    for (UniformSlot slot : kind.slots()) {
        *slot.location = kind.handle ? glGetUniformLocation(kind.handle, slot.name) : -1;
        assert((!kind.handle || *slot.location >= 0) && "a pass sets a uniform its program does not declare");
    }
}

template <class Kind>
void buildPass(Kind& kind, const char* name, const std::vector<const char*>& pieces)
{
    kind.handle = buildComputeProgram(name, pieces);
    resolveUniforms(kind);
}

}

FillProgram buildFillProgram(const ProgramRow& row)
{
    FillProgram fill;
    fill.handle = buildComputeProgram(row.name, row.pieces);
    fill.active = activeUniforms(fill.handle);
    // The protocol's uniforms are optional: a fill that ignores time simply does not declare it.
    for (const ActiveUniform& uniform : fill.active) {
        int* protocol = uniform.name == "volW" ? &fill.volW
                        : uniform.name == "volH" ? &fill.volH
                        : uniform.name == "volD" ? &fill.volD
                        : uniform.name == "time" ? &fill.time
                                                 : nullptr;
        if (protocol)
            *protocol = uniform.location;
    }
    return fill;
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
    text += gpuBindings_glsl;
    for (const char* piece : pieces)
        text += piece;
    return text;
}

unsigned buildComputeProgram(const char* name, const std::vector<const char*>& pieces)
{
    return compileComputeProgram(composeProgramText(pieces).c_str(), name);
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

std::vector<ActiveUniform> activeUniforms(unsigned program)
{
    std::vector<ActiveUniform> uniforms;
    if (!program)
        return uniforms;
    GLint count = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    for (GLint i = 0; i < count; ++i) {
        char name[256] = "";
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program, (GLuint)i, sizeof(name), nullptr, &size, &type, name);
        GLint location = glGetUniformLocation(program, name);
        // Members of uniform blocks have no location; only plain uniforms are set by name.
        if (location >= 0)
            uniforms.push_back({name, location});
    }
    return uniforms;
}

void buildAllPrograms(Programs& programs, std::vector<FillProgram>& fills, const std::vector<ProgramRow>& fillRows)
{
    fills.clear();
    for (const ProgramRow& row : fillRows)
        fills.push_back(buildFillProgram(row));
    buildPass(programs.updateGI, "updateGI", {constants_glsl, updateGI_glsl});
    buildPass(programs.giCopy, "giCopy", {giCopy_glsl});
    buildPass(programs.updateOccupancy, "updateOccupancy", {updateOccupancy_glsl});
    buildPass(programs.spreadOccupancy, "spreadOccupancy", {spreadOccupancy_glsl});
    programs.raymarch.handle =
        buildRaymarchProgram(raymarchVertex_glsl, composeProgramText({constants_glsl, raymarchFragment_glsl}).c_str());
    resolveUniforms(programs.raymarch);
}

void deleteProgram(unsigned& program)
{
    if (program) {
        glDeleteProgram(program);
        program = 0;
    }
}

void deleteAllPrograms(Programs& programs, std::vector<FillProgram>& fills)
{
    for (FillProgram& fill : fills)
        deleteProgram(fill.handle);
    fills.clear();
    deleteProgram(programs.updateGI.handle);
    deleteProgram(programs.giCopy.handle);
    deleteProgram(programs.updateOccupancy.handle);
    deleteProgram(programs.spreadOccupancy.handle);
    deleteProgram(programs.raymarch.handle);
}
