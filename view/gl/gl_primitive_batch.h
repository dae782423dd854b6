// Plane primitives gathered by the OpenGL state they are drawn with and drawn as one vertex
// array per state. A software renderer pays for every glBegin/glEnd and every state change
// as for a whole draw; one array of thousands of primitives costs about as much as one.
#pragma once

#include <vector>

class GlHandleSprite;

// The vertex data immediate mode would give: float position, colour as the fractions
// glColor3ub stores, and the texture coordinate of a handle mark.
struct BatchVertex {
    float x, y, z;
    float red, green, blue;
    float s, t;
};

// What a primitive needs of the OpenGL state. Kinds are drawn in this order, lines of
// smaller width first and solid before stippled of equal width.
struct BatchState {
    enum class Kind { Lines, LineLoops, Triangles, HandleMarks };
    Kind kind = Kind::Lines;
    int width = 1;         // lines only
    bool stippled = false; // lines only
    bool operator==(const BatchState&) const = default;
};

// True when primitives of state a are drawn before those of state b.
bool drawnBefore(const BatchState& a, const BatchState& b);

class GlPrimitiveBatch {
  public:
    // The list primitives of this state are appended to: pairs of vertices for lines,
    // triples for triangles, the four corners of a square for handle marks.
    std::vector<BatchVertex>& vertices(const BatchState& state);
    // The list a line loop of this state is appended to, after its first vertex is noted.
    std::vector<BatchVertex>& loop(const BatchState& state, std::size_t vertexCount);
    bool empty() const { return pending == 0; }
    std::size_t pendingVertices() const;
    // The memory the lists hold for primitives to come.
    std::size_t reservedBytes() const;

    // Draws every list, state by state in the order above, and empties them. The caller
    // sets the depth test that keeps the stacking; the handle marks need the sprite.
    void draw(const GlHandleSprite* sprite);

  private:
    struct List {
        BatchState state;
        std::vector<BatchVertex> vertices;
        std::vector<int> loopFirsts, loopCounts;
    };
    List& listOf(const BatchState& state);
    // In drawing order; a drawn list stays, emptied, and keeps its memory for the next.
    std::vector<List> lists;
    std::size_t pending = 0;
    int lastUsed = -1;
};
