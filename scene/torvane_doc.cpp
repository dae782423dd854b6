// CTorvaneDoc: list ownership and the tvn byte layout (little-endian, packed:
// a count, then 48-byte circle and 56-byte line records).
#include "scene/torvane_doc.h"

#include "scene/byte_order.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <iterator>
#include <ostream>
#include <vector>

namespace {

constexpr std::size_t kCircleRecordBytes = 48;
constexpr std::size_t kLineRecordBytes = 56;
constexpr int kMaxLoadedWidth = 10;

int clampColour(std::int32_t c) {
    return std::clamp<std::int32_t>(c, 0, 255);
}

} // namespace

CTorvaneDoc::CTorvaneDoc() = default;

CTorvaneDoc::~CTorvaneDoc() {
    removeAll();
}

void CTorvaneDoc::append(SceneObject* obj) {
    Node* node = new Node{obj, nullptr};
    tail->next = node;
    tail = node;
    ++objectCount;
}

SceneObject* CTorvaneDoc::addObject(int kind, double x0, double y0, double r, double red,
                                    double green, double blue) {
    if (!isValidKind(kind) || isLineKind(kind))
        return nullptr;
    auto* obj = new SceneObject;
    obj->kind = kind;
    obj->setCentre(x0, y0);
    obj->r = r;
    obj->setColour(static_cast<int>(red), static_cast<int>(green), static_cast<int>(blue));
    append(obj);
    return obj;
}

SceneObject* CTorvaneDoc::addObject(int kind, double x0, double y0, double x1, double y1,
                                    double red, double green, double blue) {
    if (!isValidKind(kind) || !isLineKind(kind))
        return nullptr;
    auto* obj = new SceneObject;
    obj->kind = kind;
    obj->x[0] = x0;
    obj->y[0] = y0;
    obj->x[1] = x1;
    obj->y[1] = y1;
    obj->setColour(static_cast<int>(red), static_cast<int>(green), static_cast<int>(blue));
    append(obj);
    return obj;
}

void CTorvaneDoc::removeObject(SceneObject* obj) {
    if (objectCount == 0)
        return;
    for (Node* prev = &head; prev->next; prev = prev->next) {
        Node* node = prev->next;
        if (node->object != obj)
            continue;
        prev->next = node->next;
        if (tail == node)
            tail = prev;
        delete node->object;
        delete node;
        --objectCount;
        return;
    }
}

SceneObject* CTorvaneDoc::insertObject(std::size_t index, const SceneObject& state) {
    Node* prev = &head;
    for (std::size_t i = 0; i < index && prev->next; ++i)
        prev = prev->next;
    Node* node = new Node{new SceneObject(state), prev->next};
    prev->next = node;
    if (tail == prev)
        tail = node;
    ++objectCount;
    return node->object;
}

SceneObject* CTorvaneDoc::objectAt(std::size_t index) const {
    const Node* node = head.next;
    for (std::size_t i = 0; i < index && node; ++i)
        node = node->next;
    return node ? node->object : nullptr;
}

void CTorvaneDoc::removeAll() {
    Node* node = head.next;
    while (node) {
        Node* next = node->next;
        delete node->object;
        delete node;
        node = next;
    }
    head.next = nullptr;
    tail = &head;
    objectCount = 0;
}

bool CTorvaneDoc::contains(const SceneObject* obj) const {
    return std::find(begin(), end(), obj) != end();
}

void CTorvaneDoc::takeOver(CTorvaneDoc& loaded) {
    removeAll();
    head.next = loaded.head.next;
    tail = loaded.head.next ? loaded.tail : &head;
    objectCount = loaded.objectCount;
    loaded.head.next = nullptr;
    loaded.tail = &loaded.head;
    loaded.objectCount = 0;
}

std::vector<unsigned char> CTorvaneDoc::toBytes() const {
    std::vector<unsigned char> buf;
    buf.reserve(4 + static_cast<std::size_t>(objectCount) * kLineRecordBytes);
    ByteWriter w(buf);
    w.i32(objectCount);
    for (const SceneObject* o : *this) {
        w.i32(o->kind);
        w.i32(o->red);
        w.i32(o->green);
        w.i32(o->blue);
        w.f64(o->x[0]);
        w.f64(o->y[0]);
        if (isLineKind(o->kind)) {
            w.f64(o->x[1]);
            w.f64(o->y[1]);
        } else {
            w.f64(o->r);
        }
        w.i32(o->width);
        w.i32(o->dashed);
    }
    return buf;
}

bool CTorvaneDoc::Serialize(std::ostream& out) const {
    const std::vector<unsigned char> buf = toBytes();
    out.write(reinterpret_cast<const char*>(buf.data()), static_cast<std::streamsize>(buf.size()));
    out.flush();
    return static_cast<bool>(out);
}

bool CTorvaneDoc::Serialize(std::istream& in, std::string* error) {
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    if (in.bad()) {
        if (error)
            *error = "read error";
        return false;
    }
    return loadBytes(bytes.data(), bytes.size(), error);
}

bool CTorvaneDoc::loadBytes(const unsigned char* data, std::size_t size, std::string* error) {
    ByteReader rd(data, size);
    auto fail = [&](std::size_t offset, const std::string& what) {
        if (error)
            *error = "byte " + std::to_string(offset) + ": " + what;
        return false;
    };

    std::int32_t count = 0;
    if (!rd.i32(count))
        return fail(0, "file too short for the object count");
    if (count < 0)
        return fail(0, "negative object count " + std::to_string(count));
    if (static_cast<std::uint64_t>(count) * kCircleRecordBytes > rd.remaining())
        return fail(0, "object count " + std::to_string(count) + " does not fit in the file");

    CTorvaneDoc loaded;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::size_t start = rd.offset();
        const std::string where = "object " + std::to_string(i) + ": ";
        std::int32_t kind = 0, red = 0, green = 0, blue = 0, width = 1, dashed = 0;
        if (!rd.i32(kind))
            return fail(start, where + "file ends inside the record");
        if (!isValidKind(kind))
            return fail(start, where + "kind " + std::to_string(kind) + " is not 0..3");
        const bool line = isLineKind(kind);
        const std::size_t need = (line ? kLineRecordBytes : kCircleRecordBytes) - 4;
        if (rd.remaining() < need)
            return fail(start, where + "file ends inside the record");
        double g[4] = {0, 0, 0, 0};
        rd.i32(red);
        rd.i32(green);
        rd.i32(blue);
        for (int k = 0; k < (line ? 4 : 3); ++k) {
            rd.f64(g[k]);
            if (!std::isfinite(g[k]))
                return fail(start, where + "coordinate is not a finite number");
        }
        rd.i32(width);
        rd.i32(dashed);
        // Out-of-range attributes are brought into range rather than refusing the
        // whole scene: the geometry is what the user cannot recreate.
        SceneObject* o = line ? loaded.addObject(kind, g[0], g[1], g[2], g[3], clampColour(red),
                                                 clampColour(green), clampColour(blue))
                              : loaded.addObject(kind, g[0], g[1], g[2], clampColour(red),
                                                 clampColour(green), clampColour(blue));
        o->width = std::clamp<std::int32_t>(width, 1, kMaxLoadedWidth);
        o->dashed = dashed != 0 ? 1 : 0;
    }
    takeOver(loaded);
    return true;
}
