// CTorvaneDoc: the scene document, an ordered list of owned SceneObjects, and its
// binary tvn byte stream in both directions.
#pragma once

#include "scene/scene_object.h"

#include <cstdint>
#include <cstddef>
#include <iosfwd>
#include <iterator>
#include <string>
#include <vector>

class CTorvaneDoc {
    struct Node {
        SceneObject* object = nullptr;
        Node* next = nullptr;
    };

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

    // The file image of the whole list.
    std::vector<unsigned char> toBytes() const;
    // Writes the whole list; returns false when the stream reports a write error.
    bool Serialize(std::ostream& out) const;
    // Reads a whole scene. On any fault (truncation, bad kind, impossible count,
    // non-finite coordinate) returns false with the detail in *error and leaves the
    // document exactly as it was.
    bool Serialize(std::istream& in, std::string* error = nullptr);
    // The same over an in-memory image of a file.
    bool loadBytes(const unsigned char* data, std::size_t size, std::string* error = nullptr);

    std::int32_t objectCount = 0;

    class const_iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = SceneObject*;
        using difference_type = std::ptrdiff_t;
        using pointer = SceneObject* const*;
        using reference = SceneObject*;
        explicit const_iterator(const Node* n) : node(n) {}
        SceneObject* operator*() const { return node->object; }
        const_iterator& operator++() {
            node = node->next;
            return *this;
        }
        bool operator!=(const const_iterator& o) const { return node != o.node; }
        bool operator==(const const_iterator& o) const { return node == o.node; }

      private:
        const Node* node;
    };
    const_iterator begin() const { return const_iterator(head.next); }
    const_iterator end() const { return const_iterator(nullptr); }
    bool contains(const SceneObject* obj) const;

  private:
    void append(SceneObject* obj);
    void takeOver(CTorvaneDoc& loaded);

    Node head; // sentinel
    Node* tail = &head;
};

// What the user is told when a file cannot be read.
inline constexpr const char* kUnexpectedFileFormat = "Unexpected file format.";
