// The candidate records of a merge problem: an array of SceneObject records that
// reads like a plain one, each record a default SceneObject until written, but made
// only when first written. A problem is built for every merge (and again for each
// point of a centre-constraint merge) and a solve stores a handful of candidates, so
// making all records up front was a large part of a fast solve.
#pragma once

#include "scene/scene_object.h"

#include <cstring>
#include <new>
#include <type_traits>

template <int Capacity> class CandidateRecords {
    static_assert(std::is_trivially_copyable_v<SceneObject> &&
                      std::is_trivially_destructible_v<SceneObject>,
                  "records are copied as bytes and never destroyed one by one");

  public:
    CandidateRecords() = default;
    CandidateRecords(const CandidateRecords& other) { *this = other; }
    CandidateRecords& operator=(const CandidateRecords& other) {
        if (this != &other) {
            std::memcpy(storage, other.storage, sizeof(SceneObject) * other.made);
            made = other.made;
        }
        return *this;
    }

    // Record n (0 <= n < Capacity), made (a default SceneObject) on first use.
    SceneObject& operator[](int n) {
        while (made <= n)
            new (at(made++)) SceneObject();
        return *std::launder(reinterpret_cast<SceneObject*>(at(n)));
    }
    // A record not yet made reads as the default it would be made as.
    const SceneObject& operator[](int n) const {
        return n < made ? *std::launder(reinterpret_cast<const SceneObject*>(at(n))) : kUnwritten;
    }

  private:
    unsigned char* at(int n) { return storage + sizeof(SceneObject) * n; }
    const unsigned char* at(int n) const { return storage + sizeof(SceneObject) * n; }

    static inline const SceneObject kUnwritten{};
    alignas(SceneObject) unsigned char storage[sizeof(SceneObject) * Capacity];
    int made = 0;
};
