// app/offscreenTarget.cpp
// One colour texture behind one framebuffer; read back top row first, the way picture files store it.
#include "app/offscreenTarget.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstring>

#include "app/demoApp.h"

namespace {
struct {
    GLuint framebuffer = 0;
    GLuint colour = 0;
    int width = 0, height = 0;
} target;

}

void frameTargetSize(int& width, int& height)
{
    if (target.framebuffer) {
        width = target.width;
        height = target.height;
    } else {
        glfwGetFramebufferSize(appWindow(), &width, &height);
    }
}

const char* createOffscreenTarget(int width, int height)
{
    GLint maxTexture = 0, maxRenderbuffer = 0, maxViewport[2] = {};
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexture);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxRenderbuffer);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, maxViewport);
    if (width > maxTexture || height > maxTexture || width > maxRenderbuffer || height > maxRenderbuffer ||
        width > maxViewport[0] || height > maxViewport[1])
        return "the size is larger than this driver's largest texture, renderbuffer or viewport";
    glGenTextures(1, &target.colour);
    glBindTexture(GL_TEXTURE_2D, target.colour);
    glTexStorage2D(GL_TEXTURE_2D, 1, GL_RGBA8, width, height);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenFramebuffers(1, &target.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target.colour, 0);
    GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    // Out of memory shows here too: the texture's storage failed and the attachment is incomplete.
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        deleteOffscreenTarget();
        glGetError();
        return "the driver cannot draw into a target of this size";
    }
    target.width = width;
    target.height = height;
    return "";
}

void deleteOffscreenTarget()
{
    if (target.framebuffer) {
        glDeleteFramebuffers(1, &target.framebuffer);
        target.framebuffer = 0;
    }
    if (target.colour) {
        glDeleteTextures(1, &target.colour);
        target.colour = 0;
    }
}

void bindFrameTarget(int& width, int& height)
{
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    frameTargetSize(width, height);
}

void readTargetPixels(std::vector<uint8_t>& rgba, int& width, int& height)
{
    frameTargetSize(width, height);
    std::vector<uint8_t> bottomUp((size_t)width * height * 4);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, target.framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    rgba.resize(bottomUp.size());
    size_t row = (size_t)width * 4;
    for (int y = 0; y < height; ++y)
        memcpy(&rgba[y * row], &bottomUp[(height - 1 - y) * row], row);
}
