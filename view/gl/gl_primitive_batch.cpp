// Drawing the gathered lists with client-side vertex arrays, restoring every piece of
// OpenGL state the lists change.
#define GL_GLEXT_PROTOTYPES
#include "view/gl/gl_primitive_batch.h"

#include "view/gl/gl_handle_sprite.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstddef>

bool drawnBefore(const BatchState& a, const BatchState& b) {
    if (a.kind != b.kind)
        return a.kind < b.kind;
    if (a.width != b.width)
        return a.width < b.width;
    return !a.stippled && b.stippled;
}

std::vector<BatchVertex>& GlPrimitiveBatch::vertices(const BatchState& state) {
    return listOf(state).vertices;
}

std::vector<BatchVertex>& GlPrimitiveBatch::loop(const BatchState& state, std::size_t vertexCount) {
    List& list = listOf(state);
    list.loopFirsts.push_back(static_cast<int>(list.vertices.size()));
    list.loopCounts.push_back(static_cast<int>(vertexCount));
    return list.vertices;
}

GlPrimitiveBatch::List& GlPrimitiveBatch::listOf(const BatchState& state) {
    // Consecutive primitives mostly share their state.
    if (lastUsed >= 0 && lists[static_cast<std::size_t>(lastUsed)].state == state) {
        ++pending;
        return lists[static_cast<std::size_t>(lastUsed)];
    }
    auto at =
        std::lower_bound(lists.begin(), lists.end(), state, [](const List& l, const BatchState& s) {
            return drawnBefore(l.state, s);
        });
    if (at == lists.end() || !(at->state == state))
        at = lists.insert(at, List{state, {}, {}, {}});
    lastUsed = static_cast<int>(at - lists.begin());
    ++pending;
    return *at;
}

std::size_t GlPrimitiveBatch::pendingVertices() const {
    std::size_t count = 0;
    for (const List& list : lists)
        count += list.vertices.size();
    return count;
}

std::size_t GlPrimitiveBatch::reservedBytes() const {
    std::size_t bytes = 0;
    for (const List& list : lists)
        bytes += list.vertices.capacity() * sizeof(BatchVertex) +
                 (list.loopFirsts.capacity() + list.loopCounts.capacity()) * sizeof(int);
    return bytes;
}

void GlPrimitiveBatch::draw(const GlHandleSprite* sprite) {
    if (pending == 0)
        return;
    glPushAttrib(GL_LINE_BIT | GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    constexpr GLsizei kStride = sizeof(BatchVertex);
    for (List& list : lists) {
        if (list.vertices.empty())
            continue;
        const BatchVertex* v = list.vertices.data();
        glVertexPointer(3, GL_FLOAT, kStride, &v->x);
        glColorPointer(3, GL_FLOAT, kStride, &v->red);
        const auto count = static_cast<GLsizei>(list.vertices.size());
        switch (list.state.kind) {
        case BatchState::Kind::Lines:
        case BatchState::Kind::LineLoops:
            glLineWidth(static_cast<GLfloat>(list.state.width));
            if (list.state.stippled) {
                glLineStipple(1, 0x0F0F);
                glEnable(GL_LINE_STIPPLE);
            } else {
                glDisable(GL_LINE_STIPPLE);
            }
            if (list.state.kind == BatchState::Kind::Lines)
                glDrawArrays(GL_LINES, 0, count);
            else
                glMultiDrawArrays(GL_LINE_LOOP, list.loopFirsts.data(), list.loopCounts.data(),
                                  static_cast<GLsizei>(list.loopFirsts.size()));
            break;
        case BatchState::Kind::Triangles:
            glDrawArrays(GL_TRIANGLES, 0, count);
            break;
        case BatchState::Kind::HandleMarks:
            if (!sprite)
                break;
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(2, GL_FLOAT, kStride, &v->s);
            sprite->beginMarks();
            glDrawArrays(GL_QUADS, 0, count);
            sprite->endMarks();
            glDisableClientState(GL_TEXTURE_COORD_ARRAY);
            break;
        }
        list.vertices.clear();
        list.loopFirsts.clear();
        list.loopCounts.clear();
    }
    glPopClientAttrib();
    glPopAttrib();
    pending = 0;
}
