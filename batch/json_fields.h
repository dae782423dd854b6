// Strict reading of JSON objects (simdjson DOM): every member must be one the
// caller knows, none may repeat, and each getter says where a wrong value is.
#pragma once

#include "batch/bad_input.h"
#include "scene/scene_object.h"

#include <simdjson.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// Parses text (any length; copied into simdjson's padded buffer) into parser's
// document. Throws BadInput("not valid JSON: ...").
simdjson::dom::element parseJson(simdjson::dom::parser& parser, std::string_view text);

class JsonFields {
  public:
    // where names the object in messages ("cluster1[0]"); an empty where is the
    // top level. Throws BadInput for a non-object, an unknown or a repeated member.
    JsonFields(simdjson::dom::element e, std::string where,
               std::initializer_list<std::string_view> known);

    bool has(std::string_view key) const;
    // A finite number.
    double number(std::string_view key) const;
    // A whole number within [lo, hi].
    std::int64_t integer(std::string_view key, std::int64_t lo, std::int64_t hi) const;
    std::string_view string(std::string_view key) const;
    simdjson::dom::array array(std::string_view key) const;
    // The kind letter "C", "L", "C'" or "L'" of member "kind".
    int kind() const;
    const std::string& where() const { return where_; }
    // "where: text", or text alone at the top level.
    [[noreturn]] void fail(const std::string& text) const;

  private:
    simdjson::dom::element require(std::string_view key) const;
    static constexpr int kMaxMembers = 16;
    std::string where_;
    std::string_view keys_[kMaxMembers];
    simdjson::dom::element values_[kMaxMembers];
    int count_ = 0;
};

// Kind letter and geometry of a circle (x, y, r) or line (x0, y0, x1, y1) from
// fields that know those names.
SceneObject objectGeometry(const JsonFields& f);
