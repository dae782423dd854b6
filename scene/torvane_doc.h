// CTorvaneDoc: the scene document, an ordered list of owned SceneObjects, and its
// binary tvn byte stream in both directions.
#pragma once

#include "scene/node_memory.h"
#include "scene/scene_object.h"

#include <cstdint>
#include <cstddef>
#include <iosfwd>
#include <iterator>
#include <new>
#include <span>
#include <string>
#include <vector>

// What a load that succeeded still has to tell the user: parts of the file that were
// not taken as they stood. Nothing to say when the file was read exactly.
struct LoadNotes {
    std::uint64_t ignoredBytes = 0; // bytes after the last object
    int changedValues = 0;          // attribute values that had to be brought into range
    std::string firstChange;        // the first of them, e.g. "object 2: red 300 became 255"

    bool empty() const { return ignoredBytes == 0 && changedValues == 0; }
    // One sentence per note, for a message box or a warning line.
    std::vector<std::string> sentences() const;
};

// The bytes of a tvn image offered a window at a time, so that a file need not be held
// in memory whole.
class TvnByteSource {
  public:
    virtual ~TvnByteSource() = default;
    // The bytes from offset on: at least wanted of them where the image has that many,
    // none past offset limit that were not already at hand. Offsets never go back.
    virtual std::span<const unsigned char> bytesFrom(std::uint64_t offset, std::size_t wanted,
                                                     std::uint64_t limit) = 0;
};

// Where the image of a scene goes, a piece at a time.
class TvnByteSink {
  public:
    virtual ~TvnByteSink() = default;
    // False stops the writing; the sink knows why.
    virtual bool put(const unsigned char* data, std::size_t size) = 0;
};

class CTorvaneDoc {
    // Objects live inside their list nodes, and nodes come from blocks of the document's
    // own: a scene of a million objects then costs a few allocations, not two million, and
    // walking the list reads memory in order. A load takes one block for all its objects.
    struct Node {
        SceneObject object;
        Node* next = nullptr;
    };
    static constexpr std::size_t kMaxNodesPerBlock = 4096;

  public:
    CTorvaneDoc();
    virtual ~CTorvaneDoc();
    CTorvaneDoc(const CTorvaneDoc&) = delete;
    CTorvaneDoc& operator=(const CTorvaneDoc&) = delete;

    // Circle kinds take (x0, y0, r), line kinds (x0, y0, x1, y1); colours are truncated
    // toward zero. Returns null and adds nothing for a kind outside 0..3 or a kind of
    // the other family than the overload's geometry.
    SceneObject* addObject(int kind, double x0, double y0, double r, double red, double green,
                           double blue);
    SceneObject* addObject(int kind, double x0, double y0, double x1, double y1, double red,
                           double green, double blue);
    // Destroys obj if it is listed; an object that is not listed is left alone.
    void removeObject(SceneObject* obj);
    // Lists a copy of state at position index (0 = first), or at the tail when index is past
    // the end; returns the new object. Taking back a deletion puts the object where it was.
    SceneObject* insertObject(std::size_t index, const SceneObject& state);
    // The object at position index, or null past the end.
    SceneObject* objectAt(std::size_t index) const;
    void removeAll();
    void OnNewDocument() { removeAll(); }

    // The file image of the whole list, handed to sink in pieces. False when sink refuses
    // a piece, or, with the reason in *error, when an object holds something the loader
    // would refuse (a coordinate that is not finite, a kind outside 0..3): such a file
    // could be written but never opened again. What reached the sink before is then not a
    // whole image.
    bool writeTo(TvnByteSink& sink, std::string* error = nullptr) const;
    // The same image in memory.
    bool toBytes(std::vector<unsigned char>& out, std::string* error = nullptr) const;
    // Writes the whole list; returns false, with the reason in *error, when the scene is
    // not savable or the stream reports a write error.
    bool Serialize(std::ostream& out, std::string* error = nullptr) const;
    // Reads a scene from the in-memory image of a file: the count, then the records it
    // announces. On any fault (truncation, bad kind, impossible count, a count there is
    // no memory for, non-finite coordinate) returns false with the byte offset and what was found
    // in *error and leaves the document exactly as it was. Bytes after the last record and values
    // that had to change are reported in *notes.
    bool loadBytes(const unsigned char* data, std::size_t size, std::string* error = nullptr,
                   LoadNotes* notes = nullptr);
    // The same for an image of size bytes offered by source; a source that cannot deliver
    // (a read error) shows as a file that ends early.
    bool loadFrom(TvnByteSource& source, std::uint64_t size, std::string* error = nullptr,
                  LoadNotes* notes = nullptr);

    std::int32_t objectCount = 0;

    class const_iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = SceneObject*;
        using difference_type = std::ptrdiff_t;
        using pointer = SceneObject* const*;
        using reference = SceneObject*;
        explicit const_iterator(Node* n) : node(n) {}
        SceneObject* operator*() const { return &node->object; }
        const_iterator& operator++() {
            node = node->next;
            return *this;
        }
        bool operator!=(const const_iterator& o) const { return node != o.node; }
        bool operator==(const const_iterator& o) const { return node == o.node; }

      private:
        Node* node; // the document is const, not the objects it lists
    };
    const_iterator begin() const { return const_iterator(head.next); }
    const_iterator end() const { return const_iterator(nullptr); }
    bool contains(const SceneObject* obj) const;

  private:
    // Memory for one node, not yet listed: a removed node's again, or the next free one of
    // the newest block.
    void* nodeSlot();
    // A node holding a default SceneObject, not yet listed.
    Node* newNode() { return new (nodeSlot()) Node{}; }
    // Room for count more nodes in one block (a loaded scene's).
    void reserveBlock(std::size_t count);
    // The node's memory is kept for the next object until the list is emptied.
    void releaseNode(Node* node);
    SceneObject* append(Node* node);
    SceneObject* appendNew(int kind, int red, int green, int blue);
    void takeOver(CTorvaneDoc& loaded);

    Node head; // sentinel
    Node* tail = &head;
    std::vector<NodeMemory> blocks; // nodes are built in them as they are needed
    std::size_t newestBlockSize = 0;
    std::size_t usedInNewestBlock = 0;
    Node* released = nullptr; // removed nodes, chained by next
};

// The tvn layout: a 32-bit count, then records of these sizes.
inline constexpr std::size_t kTvnCountBytes = 4;
inline constexpr std::size_t kTvnCircleRecordBytes = 48;
inline constexpr std::size_t kTvnLineRecordBytes = 56;

// What the user is told when a file cannot be read.
inline constexpr const char* kUnexpectedFileFormat = "Unexpected file format.";
