// CTorvaneDoc: list ownership and the tvn byte layout (little-endian, packed:
// a count, then 48-byte circle and 56-byte line records).
#include "scene/torvane_doc.h"

#include "scene/byte_order.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <sanitizer/asan_interface.h>
#include <type_traits>
#include <vector>

namespace {

// Colours outside 0..255 cannot be drawn; widths below 1 draw nothing. Everything else
// the file says is kept as it stands, so that a save writes back what was read.
class AttributeCheck {
  public:
    explicit AttributeCheck(LoadNotes& notes) : notes(notes) {}

    std::int32_t colour(std::int32_t value, int object, const char* name) {
        return keepOrChange(value, std::clamp<std::int32_t>(value, 0, 255), object, name);
    }
    std::int32_t width(std::int32_t value, int object) {
        return keepOrChange(value, std::max<std::int32_t>(value, 1), object, "width");
    }

  private:
    std::int32_t keepOrChange(std::int32_t value, std::int32_t allowed, int object,
                              const char* name) {
        if (value != allowed) [[unlikely]]
            noteChange(value, allowed, object, name);
        return allowed;
    }
    // Out of line: the note is rare, and building it must not weigh on every record.
    [[gnu::noinline]] void noteChange(std::int32_t value, std::int32_t allowed, int object,
                                      const char* name) {
        if (notes.changedValues == 0)
            notes.firstChange = "object " + std::to_string(object) + ": " + name + " " +
                                std::to_string(value) + " became " + std::to_string(allowed);
        ++notes.changedValues;
    }
    LoadNotes& notes;
};

// The loader refuses kinds outside 0..3 and coordinates that are not finite; a file
// holding one could be written but never opened again.
bool isSavableObject(const SceneObject& o, int index, std::string* error) {
    if (!isValidKind(o.kind)) {
        if (error)
            *error = "object " + std::to_string(index) + " has kind " + std::to_string(o.kind) +
                     ", not 0..3";
        return false;
    }
    const bool finite =
        std::isfinite(o.x[0]) && std::isfinite(o.y[0]) &&
        (isLineKind(o.kind) ? std::isfinite(o.x[1]) && std::isfinite(o.y[1]) : std::isfinite(o.r));
    if (!finite && error)
        *error =
            "object " + std::to_string(index) + " has a coordinate that is not a finite number";
    return finite;
}

// Encodes one record at out; returns where the next one goes.
unsigned char* writeRecord(unsigned char* out, const SceneObject& o) {
    ByteWriter w(out);
    w.i32(o.kind);
    w.i32(o.red);
    w.i32(o.green);
    w.i32(o.blue);
    w.f64(o.x[0]);
    w.f64(o.y[0]);
    if (isLineKind(o.kind)) {
        w.f64(o.x[1]);
        w.f64(o.y[1]);
    } else {
        w.f64(o.r);
    }
    w.i32(o.width);
    w.i32(o.dashed);
    return w.position();
}

} // namespace

std::vector<std::string> LoadNotes::sentences() const {
    std::vector<std::string> out;
    if (ignoredBytes > 0)
        out.push_back(std::to_string(ignoredBytes) + (ignoredBytes == 1 ? " byte" : " bytes") +
                      " after the last object " + (ignoredBytes == 1 ? "was" : "were") +
                      " ignored.");
    if (changedValues == 1)
        out.push_back("A value out of range was changed (" + firstChange + ").");
    else if (changedValues > 1)
        out.push_back(std::to_string(changedValues) + " values out of range were changed (first " +
                      firstChange + ").");
    return out;
}

CTorvaneDoc::CTorvaneDoc() = default;

CTorvaneDoc::~CTorvaneDoc() {
    removeAll();
}

// Nodes are built in raw block memory and never destroyed one by one.
static_assert(std::is_trivially_destructible_v<SceneObject>);

void* CTorvaneDoc::nodeSlot() {
    if (released) {
        Node* node = released;
        released = node->next;
        ASAN_UNPOISON_MEMORY_REGION(&node->object, sizeof node->object);
        return node;
    }
    if (usedInNewestBlock == newestBlockSize) {
        // Doubling: a small scene stays small, a large one needs few blocks.
        reserveBlock(std::clamp<std::size_t>(2 * newestBlockSize, 8, kMaxNodesPerBlock));
    }
    return static_cast<unsigned char*>(blocks.back().data()) + sizeof(Node) * usedInNewestBlock++;
}

void CTorvaneDoc::reserveBlock(std::size_t count) {
    blocks.emplace_back(sizeof(Node) * count);
    newestBlockSize = count;
    usedInNewestBlock = 0;
}

// A removed object's memory stays in its block for reuse; in a sanitized build it is
// poisoned meanwhile, so that a pointer kept to a removed object is still caught.
void CTorvaneDoc::releaseNode(Node* node) {
    node->next = released;
    released = node;
    ASAN_POISON_MEMORY_REGION(&node->object, sizeof node->object);
}

SceneObject* CTorvaneDoc::append(Node* node) {
    tail->next = node;
    tail = node;
    ++objectCount;
    return &node->object;
}

SceneObject* CTorvaneDoc::appendNew(int kind, int red, int green, int blue) {
    SceneObject* obj = append(newNode());
    obj->kind = kind;
    obj->setColour(red, green, blue);
    return obj;
}

SceneObject* CTorvaneDoc::addObject(int kind, double x0, double y0, double r, double red,
                                    double green, double blue) {
    if (!isValidKind(kind) || isLineKind(kind))
        return nullptr;
    SceneObject* obj =
        appendNew(kind, static_cast<int>(red), static_cast<int>(green), static_cast<int>(blue));
    obj->setCentre(x0, y0);
    obj->r = r;
    return obj;
}

SceneObject* CTorvaneDoc::addObject(int kind, double x0, double y0, double x1, double y1,
                                    double red, double green, double blue) {
    if (!isValidKind(kind) || !isLineKind(kind))
        return nullptr;
    SceneObject* obj =
        appendNew(kind, static_cast<int>(red), static_cast<int>(green), static_cast<int>(blue));
    obj->x[0] = x0;
    obj->y[0] = y0;
    obj->x[1] = x1;
    obj->y[1] = y1;
    return obj;
}

void CTorvaneDoc::removeObject(SceneObject* obj) {
    if (objectCount == 0)
        return;
    for (Node* prev = &head; prev->next; prev = prev->next) {
        Node* node = prev->next;
        if (&node->object != obj)
            continue;
        prev->next = node->next;
        if (tail == node)
            tail = prev;
        releaseNode(node);
        --objectCount;
        return;
    }
}

SceneObject* CTorvaneDoc::insertObject(std::size_t index, const SceneObject& state) {
    Node* prev = &head;
    for (std::size_t i = 0; i < index && prev->next; ++i)
        prev = prev->next;
    Node* node = newNode();
    node->object = state;
    node->next = prev->next;
    prev->next = node;
    if (tail == prev)
        tail = node;
    ++objectCount;
    return &node->object;
}

SceneObject* CTorvaneDoc::objectAt(std::size_t index) const {
    Node* node = head.next;
    for (std::size_t i = 0; i < index && node; ++i)
        node = node->next;
    return node ? &node->object : nullptr;
}

void CTorvaneDoc::removeAll() {
    for (Node* node = released; node; node = node->next)
        ASAN_UNPOISON_MEMORY_REGION(&node->object, sizeof node->object);
    blocks.clear();
    newestBlockSize = usedInNewestBlock = 0;
    released = nullptr;
    head.next = nullptr;
    tail = &head;
    objectCount = 0;
}

bool CTorvaneDoc::contains(const SceneObject* obj) const {
    return std::find(begin(), end(), obj) != end();
}

void CTorvaneDoc::takeOver(CTorvaneDoc& loaded) {
    removeAll();
    std::swap(blocks, loaded.blocks);
    std::swap(newestBlockSize, loaded.newestBlockSize);
    std::swap(usedInNewestBlock, loaded.usedInNewestBlock);
    std::swap(released, loaded.released);
    head.next = loaded.head.next;
    tail = loaded.head.next ? loaded.tail : &head;
    objectCount = loaded.objectCount;
    loaded.head.next = nullptr;
    loaded.tail = &loaded.head;
    loaded.objectCount = 0;
}

bool CTorvaneDoc::writeTo(TvnByteSink& sink, std::string* error) const {
    // A piece that stays in the processor's cache: the image of a large scene never needs
    // memory of its own.
    constexpr std::size_t kPieceBytes = 256 * 1024;
    std::vector<unsigned char> piece(kPieceBytes);
    ByteWriter(piece.data()).i32(objectCount);
    std::size_t used = kTvnCountBytes;
    int index = 0;
    for (const SceneObject* o : *this) {
        if (!isSavableObject(*o, index++, error))
            return false;
        if (piece.size() - used < kTvnLineRecordBytes) {
            if (!sink.put(piece.data(), used))
                return false;
            used = 0;
        }
        used = static_cast<std::size_t>(writeRecord(piece.data() + used, *o) - piece.data());
    }
    return sink.put(piece.data(), used);
}

bool CTorvaneDoc::toBytes(std::vector<unsigned char>& out, std::string* error) const {
    class Append : public TvnByteSink {
      public:
        explicit Append(std::vector<unsigned char>& out) : out(out) {}
        bool put(const unsigned char* data, std::size_t size) override {
            out.insert(out.end(), data, data + size);
            return true;
        }

      private:
        std::vector<unsigned char>& out;
    } append(out);
    out.clear();
    out.reserve(kTvnCountBytes +
                static_cast<std::size_t>(std::max(objectCount, 0)) * kTvnLineRecordBytes);
    return writeTo(append, error);
}

bool CTorvaneDoc::Serialize(std::ostream& out, std::string* error) const {
    std::vector<unsigned char> buf;
    if (!toBytes(buf, error))
        return false;
    out.write(reinterpret_cast<const char*>(buf.data()), static_cast<std::streamsize>(buf.size()));
    out.flush();
    if (!out && error)
        *error = "write error";
    return static_cast<bool>(out);
}

bool CTorvaneDoc::loadBytes(const unsigned char* data, std::size_t size, std::string* error,
                            LoadNotes* notes) {
    class Whole : public TvnByteSource {
      public:
        Whole(const unsigned char* data, std::size_t size) : data(data), size(size) {}
        std::span<const unsigned char> bytesFrom(std::uint64_t offset, std::size_t,
                                                 std::uint64_t) override {
            return {data + offset, size - offset};
        }

      private:
        const unsigned char* data;
        std::size_t size;
    } whole(data, size);
    return loadFrom(whole, size, error, notes);
}

bool CTorvaneDoc::loadFrom(TvnByteSource& source, std::uint64_t size, std::string* error,
                           LoadNotes* notes) {
    auto fail = [&](std::uint64_t offset, const std::string& what) {
        if (error)
            *error = "byte " + std::to_string(offset) + ": " + what;
        return false;
    };

    std::span<const unsigned char> window = source.bytesFrom(0, kTvnCountBytes, kTvnCountBytes);
    std::int32_t count = 0;
    if (!ByteReader(window.data(), window.size()).i32(count))
        return fail(0, "file too short for the object count");
    if (count < 0)
        return fail(0, "negative object count " + std::to_string(count));
    if (static_cast<std::uint64_t>(count) * kTvnCircleRecordBytes > size - kTvnCountBytes)
        return fail(0, "object count " + std::to_string(count) + " does not fit in the file");
    // Nothing past the records the count announces is ever read.
    const std::uint64_t limit =
        kTvnCountBytes + static_cast<std::uint64_t>(count) * kTvnLineRecordBytes;

    LoadNotes found;
    AttributeCheck check(found);
    CTorvaneDoc loaded;
    // The count is bounded by the file's size, so one block for all of it is no more
    // than the file could fill; a count the machine has no memory for fails here, at once.
    try {
        if (count > 0)
            loaded.reserveBlock(static_cast<std::size_t>(count));
    } catch (const std::bad_alloc&) {
        return fail(0, "not enough memory for " + std::to_string(count) + " objects");
    }
    std::uint64_t offset = kTvnCountBytes; // of window's first byte
    window = window.subspan(kTvnCountBytes);
    for (std::int32_t i = 0; i < count; ++i) {
        if (window.size() < kTvnLineRecordBytes) {
            window = source.bytesFrom(offset, kTvnLineRecordBytes, limit);
        }
        const std::uint64_t start = offset;
        // Built only for a refusal: a message for every record would cost more than the reading.
        auto refuse = [&](const std::string& what) {
            return fail(start, "object " + std::to_string(i) + ": " + what);
        };
        ByteReader rd(window.data(), window.size());
        std::int32_t kind = 0, red = 0, green = 0, blue = 0, width = 1, dashed = 0;
        if (!rd.i32(kind))
            return refuse("file ends inside the record");
        if (!isValidKind(kind))
            return refuse("kind " + std::to_string(kind) + " is not 0..3");
        const bool line = isLineKind(kind);
        const std::size_t recordBytes = line ? kTvnLineRecordBytes : kTvnCircleRecordBytes;
        if (window.size() < recordBytes)
            return refuse("file ends inside the record");
        double g[4] = {0, 0, 0, 0};
        rd.i32(red);
        rd.i32(green);
        rd.i32(blue);
        for (int k = 0; k < (line ? 4 : 3); ++k) {
            rd.f64(g[k]);
            if (!std::isfinite(g[k]))
                return refuse("coordinate is not a finite number");
        }
        rd.i32(width);
        rd.i32(dashed);
        // What addObject would make of the record, built in place.
        SceneObject o;
        o.kind = kind;
        // One at a time: the first value changed is the one the notes name.
        o.red = check.colour(red, i, "red");
        o.green = check.colour(green, i, "green");
        o.blue = check.colour(blue, i, "blue");
        o.setCentre(g[0], g[1]);
        if (line) {
            o.x[1] = g[2];
            o.y[1] = g[3];
        } else {
            o.r = g[2];
        }
        o.width = check.width(width, i);
        o.dashed = dashed; // any nonzero value draws dashed
        loaded.append(new (loaded.nodeSlot()) Node{o, nullptr});
        window = window.subspan(recordBytes);
        offset += recordBytes;
    }
    found.ignoredBytes = size - offset;
    takeOver(loaded);
    if (notes)
        *notes = found;
    return true;
}
