// An offscreen framebuffer of RGBA colour and packed depth-stencil: the view draws its frames
// into one and keeps the plane's static layer in another, and copies between buffers of one
// format are plain copies.
#pragma once

class LayerBuffer {
  public:
    LayerBuffer() = default;
    LayerBuffer(const LayerBuffer&) = delete;
    LayerBuffer& operator=(const LayerBuffer&) = delete;

    // Makes the buffers for this size unless they have it already; false (with nothing left
    // made) when the framebuffer is not complete. The current binding is kept.
    bool ensure(int width, int height);
    // Deletes the GL objects; the context that made them must be current.
    void release();
    // Drawing goes into this buffer (into the window's own when none is made).
    void bind() const;
    // Copies the whole buffer's colour into the framebuffer `target` (0: the window's own),
    // at its lower left corner, and leaves `target` bound.
    void copyColourTo(unsigned target) const;
    // The framebuffer's name; 0 when none is made.
    unsigned name() const { return framebuffer; }
    int width() const { return bufferWidth; }
    int height() const { return bufferHeight; }

  private:
    unsigned framebuffer = 0, colour = 0, depth = 0;
    int bufferWidth = 0, bufferHeight = 0;
};
