// A small, fast JSON text writer: numbers as the shortest text that reads back as
// the same double, strings escaped, no NaN or infinity ever written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class JsonWriter {
  public:
    explicit JsonWriter(std::string& out) : out_(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The name of the next member of the current object.
    void key(std::string_view name);
    void value(double v);
    void value(std::int64_t v);
    void value(int v) { value(static_cast<std::int64_t>(v)); }
    void value(bool v);
    void value(std::string_view v);
    void value(const char* v) { value(std::string_view(v)); }

    template <class T> void member(std::string_view name, const T& v) {
        key(name);
        value(v);
    }

  private:
    void separate();
    void writeString(std::string_view v);
    std::string& out_;
    // Whether the current container already holds an element; one bit per depth.
    std::uint64_t nonEmpty_ = 0;
    int depth_ = 0;
    bool afterKey_ = false;
};
