// gpu/fillDispatch.h
// The protocol every scene's fill step follows; scenes set their own uniforms through FillUniforms.
#pragma once

#include <functional>

struct FillUniforms {
    unsigned program;
    void setInt(const char* name, int value) const;
    void setFloat(const char* name, float value) const;
};

// Binds the volume images and Constants, sets volW/volH/volD and time, runs sceneUniforms,
// dispatches (volSize + 3) / 4 groups per axis and issues a full barrier. Does nothing for program 0.
void dispatchFill(unsigned program, int volSize, float timeSec,
                  const std::function<void(const FillUniforms&)>& sceneUniforms = {});
