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

void readSceneJson(std::string_view text, CTorvaneDoc& doc) {
    doc.removeAll();
    simdjson::dom::parser parser;
    const JsonFields top(parseJson(parser, text), "", {"schema", "objects"});
    if (top.has("schema"))
        top.integer("schema", kSchemaVersion, kSchemaVersion);
    int index = 0;
    constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
    for (const simdjson::dom::element e : top.array("objects")) {
        const JsonFields f(e, "objects[" + std::to_string(index++) + "]",
                           {"kind", "x", "y", "r", "x0", "y0", "x1", "y1", "red", "green", "blue",
                            "width", "dashed"});
        const SceneObject g = objectGeometry(f);
        // Attributes the data leaves out take the values a new object has.
        auto attribute = [&](const char* key, std::int64_t lo, std::int64_t hi,
                             std::int64_t otherwise) {
            return f.has(key) ? f.integer(key, lo, hi) : otherwise;
        };
        const double red = attribute("red", 0, 255, 0), green = attribute("green", 0, 255, 0),
                     blue = attribute("blue", 0, 255, 0);
        SceneObject* o =
            isLineKind(g.kind)
                ? doc.addObject(g.kind, g.x[0], g.y[0], g.x[1], g.y[1], red, green, blue)
                : doc.addObject(g.kind, g.x[0], g.y[0], g.r, red, green, blue);
        o->width = static_cast<std::int32_t>(attribute("width", 1, kInt32Max, 1));
        o->dashed = static_cast<std::int32_t>(attribute("dashed", 0, kInt32Max, 0));
    }
}
