// Scene JSON in both directions, with the tvn file's fields and nothing else.
#include "batch/scene_json.h"

#include "batch/json_fields.h"
#include "batch/solve_result.h"

#include <cstdint>
#include <limits>

void writeObjectGeometry(JsonWriter& w, const SceneObject& o) {
    w.member("kind", kindLetter(o.kind));
    if (isLineKind(o.kind)) {
        w.member("x0", o.x[0]);
        w.member("y0", o.y[0]);
        w.member("x1", o.x[1]);
        w.member("y1", o.y[1]);
    } else {
        w.member("x", o.x[0]);
        w.member("y", o.y[0]);
        w.member("r", o.r);
    }
}

void writeSceneObject(JsonWriter& w, const SceneObject& o) {
    w.beginObject();
    writeObjectGeometry(w, o);
    w.member("red", o.red);
    w.member("green", o.green);
    w.member("blue", o.blue);
    w.member("width", o.width);
    w.member("dashed", o.dashed);
    w.endObject();
}

std::string sceneJson(const CTorvaneDoc& doc) {
    std::string out;
    JsonWriter w(out);
    w.beginObject();
    w.member("schema", kSchemaVersion);
    w.key("objects");
    w.beginArray();
    for (const SceneObject* o : doc)
        writeSceneObject(w, *o);
    w.endArray();
    w.endObject();
    return out;
}

namespace {

SceneObject readSceneObject(simdjson::dom::element e, std::string where) {
    const JsonFields f(
        e, std::move(where),
        {"kind", "x", "y", "r", "x0", "y0", "x1", "y1", "red", "green", "blue", "width", "dashed"});
    const SceneObject g = objectGeometry(f);
    // Attributes the data leaves out take the values a new object has.
    auto attribute = [&](const char* key, std::int64_t lo, std::int64_t hi,
                         std::int64_t otherwise) {
        return f.has(key) ? f.integer(key, lo, hi) : otherwise;
    };
    const double red = attribute("red", 0, 255, 0), green = attribute("green", 0, 255, 0),
                 blue = attribute("blue", 0, 255, 0);
    constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
    // Built as the document builds a new object, so every field is as loading gives it.
    CTorvaneDoc one;
    SceneObject* o = isLineKind(g.kind)
                         ? one.addObject(g.kind, g.x[0], g.y[0], g.x[1], g.y[1], red, green, blue)
                         : one.addObject(g.kind, g.x[0], g.y[0], g.r, red, green, blue);
    o->width = static_cast<std::int32_t>(attribute("width", 1, kInt32Max, 1));
    o->dashed = static_cast<std::int32_t>(attribute("dashed", 0, kInt32Max, 0));
    return *o;
}

} // namespace

std::string sceneObjectJson(const SceneObject& o) {
    std::string out;
    JsonWriter w(out);
    writeSceneObject(w, o);
    return out;
}

SceneObject readSceneObjectJson(std::string_view text) {
    simdjson::dom::parser parser;
    return readSceneObject(parseJson(parser, text), "");
}

void readSceneJson(std::string_view text, CTorvaneDoc& doc) {
    doc.removeAll();
    simdjson::dom::parser parser;
    const JsonFields top(parseJson(parser, text), "", {"schema", "objects"});
    if (top.has("schema"))
        top.integer("schema", kSchemaVersion, kSchemaVersion);
    int index = 0;
    for (const simdjson::dom::element e : top.array("objects"))
        doc.insertObject(static_cast<std::size_t>(doc.objectCount),
                         readSceneObject(e, "objects[" + std::to_string(index++) + "]"));
}
