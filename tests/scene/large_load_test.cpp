// Loads of scenes big enough that all their objects go into one block of mapped memory:
// every field comes back, the scene can be edited afterwards, counts that lie are caught
// at the first missing record, and a load that fails gives its memory back.
#include "scene/torvane_doc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <limits>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// Objects whose fields all vary, some pinned (a load never pins).
void fillVaried(CTorvaneDoc& doc, int n) {
    for (int i = 0; i < n; ++i) {
        const int kind = i % 4;
        const double a = i * 0.75 - 3e5, b = -i * 1.25 + 0.1;
        SceneObject* o = isLineKind(kind)
                             ? doc.addObject(kind, a, b, a + 1 + i % 11, b - i % 13, i % 256,
                                             (i / 256) % 256, (i * 7) % 256)
                             : doc.addObject(kind, a, b, (i % 2 ? -1.0 : 1.0) * (1 + i % 97),
                                             i % 256, (i / 256) % 256, (i * 7) % 256);
        o->width = 1 + i % 5;
        o->dashed = i % 3;
        o->pinned = i % 2;
    }
}

Bytes imageOf(const CTorvaneDoc& doc) {
    Bytes b;
    EXPECT_TRUE(doc.toBytes(b));
    return b;
}

// What the loaded scene must hold: the objects as they were made, unpinned.
std::vector<SceneObject> expectedAfterLoad(const CTorvaneDoc& doc) {
    std::vector<SceneObject> out;
    for (const SceneObject* o : doc) {
        out.push_back(*o);
        out.back().pinned = 0;
    }
    return out;
}

std::vector<SceneObject> contents(const CTorvaneDoc& doc) {
    std::vector<SceneObject> out;
    for (const SceneObject* o : doc)
        out.push_back(*o);
    return out;
}

void setCount(Bytes& b, std::int32_t count) {
    for (int i = 0; i < 4; ++i)
        b[static_cast<std::size_t>(i)] =
            static_cast<unsigned char>(static_cast<std::uint32_t>(count) >> (8 * i));
}

// The process's resident memory, as the kernel counts it.
std::size_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

// A load that must fail and leave the open one-object scene as it was; returns the reason.
std::string refusal(const Bytes& bytes) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 4, 5, 6, 0, 0, 0);
    std::string error;
    EXPECT_FALSE(doc.loadBytes(bytes.data(), bytes.size(), &error));
    EXPECT_EQ(doc.objectCount, 1);
    EXPECT_EQ((*doc.begin())->toString(), "C(4.0, 5.0, 6.0)");
    return error;
}

constexpr int kLarge = 150000; // well over the size from which a block is mapped

} // namespace

TEST(LargeLoad, EveryFieldOfEveryObjectComesBackAndTheSceneStaysEditable) {
    CTorvaneDoc source;
    fillVaried(source, kLarge);
    const Bytes bytes = imageOf(source);
    CTorvaneDoc doc;
    doc.addObject(KIND_L, 1, 2, 3, 4, 0, 0, 0); // replaced by the load
    ASSERT_TRUE(doc.loadBytes(bytes.data(), bytes.size()));
    ASSERT_EQ(doc.objectCount, kLarge);
    // Field for field, also those a record does not hold: a circle's second point and a
    // line's radius are what a new object has.
    std::vector<SceneObject> model = expectedAfterLoad(source);
    ASSERT_EQ(contents(doc), model);

    // Removing from the loaded block, adding past it, and putting objects back in between.
    for (std::size_t i = 0; i < 3000; i += 3)
        doc.removeObject(doc.objectAt(i - i / 3));
    for (std::size_t i = 0; i < 3000; i += 3)
        model.erase(model.begin() + static_cast<long>(i - i / 3));
    for (int i = 0; i < 5000; ++i) {
        model.push_back(*doc.addObject(KIND_C, i, -i, 2, 1, 2, 3));
        EXPECT_EQ(model.back().toString(),
                  "C(" + std::to_string(i) + ".0, " + std::to_string(-i) + ".0, 2.0)");
    }
    const SceneObject moved = model[7];
    doc.insertObject(100, moved);
    model.insert(model.begin() + 100, moved);
    EXPECT_EQ(doc.objectCount, static_cast<std::int32_t>(model.size()));
    EXPECT_EQ(contents(doc), model);
}

TEST(LargeLoad, CountThatPromisesMoreRecordsIsRefusedAtTheFirstMissingOne) {
    CTorvaneDoc source;
    for (int i = 0; i < 120000; ++i)
        source.addObject(KIND_L, i, 0, i, 1, 0, 0, 0);
    Bytes bytes = imageOf(source);
    // 140000 records of the shortest kind still fit in 120000 lines' bytes.
    setCount(bytes, 140000);
    EXPECT_EQ(refusal(bytes), "byte " + std::to_string(4 + 56 * 120000) +
                                  ": object 120000: file ends inside the record");
    // One more no longer fits, and is refused before anything is read.
    setCount(bytes, 140001);
    EXPECT_EQ(refusal(bytes), "byte 0: object count 140001 does not fit in the file");
}

TEST(LargeLoad, CountThatPromisesFewerRecordsLoadsThoseAndNotesTheRest) {
    CTorvaneDoc source;
    fillVaried(source, kLarge);
    Bytes bytes = imageOf(source);
    setCount(bytes, kLarge - 1001);
    CTorvaneDoc doc;
    LoadNotes notes;
    ASSERT_TRUE(doc.loadBytes(bytes.data(), bytes.size(), nullptr, &notes));
    std::vector<SceneObject> model = expectedAfterLoad(source);
    model.resize(kLarge - 1001);
    EXPECT_EQ(contents(doc), model);
    std::uint64_t unread = 0; // the records of the last 1001 objects
    for (int i = kLarge - 1001; i < kLarge; ++i)
        unread += isLineKind(i % 4) ? 56 : 48;
    EXPECT_EQ(notes.ignoredBytes, unread);
}

TEST(LargeLoad, FailedLoadsGiveTheirMemoryBack) {
    constexpr int kObjects = 200000;
    CTorvaneDoc source;
    for (int i = 0; i < kObjects; ++i)
        source.addObject(KIND_C, i, i, 1, 0, 0, 0);
    const Bytes good = imageOf(source);
    // A bad last record fails a load that has filled its whole block; a bad second one
    // fails it while the block is still being prepared.
    for (const int bad : {kObjects - 1, 1}) {
        SCOPED_TRACE(bad);
        Bytes bytes = good;
        const std::size_t at = 4 + 48 * static_cast<std::size_t>(bad);
        bytes[at] = 9;
        const std::string expected = "byte " + std::to_string(at) + ": object " +
                                     std::to_string(bad) + ": kind 9 is not 0..3";
        ASSERT_EQ(refusal(bytes), expected);
        const std::size_t before = residentBytes();
        for (int round = 0; round < 10; ++round)
            ASSERT_EQ(refusal(bytes), expected);
        // A block holds over 14 MB; ten of them kept would show.
        EXPECT_LT(residentBytes(), before + kObjects * sizeof(SceneObject)) << before;
    }
}

TEST(LargeLoad, CountNoMachineHasMemoryForIsRefusedAtOnce) {
    std::ifstream policy("/proc/sys/vm/overcommit_memory");
    int overcommit = -1;
    policy >> overcommit;
    if (overcommit == 1)
        GTEST_SKIP() << "this system grants any amount of memory";
    // The size says the records are there, but no byte of them is read: the memory for the
    // objects (well over 100 GB) is refused before.
    class CountOnly : public TvnByteSource {
      public:
        std::span<const unsigned char> bytesFrom(std::uint64_t offset, std::size_t,
                                                 std::uint64_t) override {
            EXPECT_EQ(offset, 0u);
            return count;
        }

      private:
        const unsigned char count[4] = {0xff, 0xff, 0xff, 0x7f};
    } source;
    const std::uint64_t size = 4 + std::uint64_t{48} * std::numeric_limits<std::int32_t>::max();
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 4, 5, 6, 0, 0, 0);
    std::string error;
    EXPECT_FALSE(doc.loadFrom(source, size, &error));
    EXPECT_EQ(error, "byte 0: not enough memory for 2147483647 objects");
    EXPECT_EQ(doc.objectCount, 1);
}

#if defined(__SANITIZE_ADDRESS__)
// A removed object of a loaded scene waits for reuse inside the mapped block; the
// sanitizer must still see a pointer kept to it.
TEST(LargeLoadDeathTest, ReadingARemovedObjectOfALoadedSceneIsCaught) {
    EXPECT_DEATH(
        {
            CTorvaneDoc source;
            fillVaried(source, kLarge);
            const Bytes bytes = imageOf(source);
            CTorvaneDoc doc;
            doc.loadBytes(bytes.data(), bytes.size());
            SceneObject* gone = doc.objectAt(90000);
            doc.removeObject(gone);
            std::printf("%f\n", gone->x[0]);
        },
        "use-after-poison");
}
#endif
