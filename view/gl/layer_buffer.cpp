// Making and deleting the offscreen framebuffers of the view.
#define GL_GLEXT_PROTOTYPES
#include "view/gl/layer_buffer.h"

#include <GL/gl.h>
#include <GL/glext.h>

bool LayerBuffer::ensure(int width, int height) {
    if (framebuffer != 0 && width == bufferWidth && height == bufferHeight)
        return true;
    release();
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    GLuint names[2] = {0, 0};
    glGenRenderbuffers(2, names);
    colour = names[0];
    depth = names[1];
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    GLuint fbo = 0;
    glGenFramebuffers(1, &fbo);
    framebuffer = fbo;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    if (!complete) {
        release();
        return false;
    }
    bufferWidth = width;
    bufferHeight = height;
    return true;
}

void LayerBuffer::release() {
    if (framebuffer != 0) {
        const GLuint fbo = framebuffer;
        glDeleteFramebuffers(1, &fbo);
    }
    const GLuint buffers[2] = {colour, depth};
    if (colour != 0 || depth != 0)
        glDeleteRenderbuffers(2, buffers);
    framebuffer = colour = depth = 0;
    bufferWidth = bufferHeight = 0;
}

void LayerBuffer::bind() const {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

void LayerBuffer::copyColourTo(unsigned target) const {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    glBlitFramebuffer(0, 0, bufferWidth, bufferHeight, 0, 0, bufferWidth, bufferHeight,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, target);
}
