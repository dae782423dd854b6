// The tvn byte layout, document ownership, and loads that must fail without
// touching the scene that was open.
#include "scene/torvane_doc.h"
#include "scene/tvn_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <tuple>
#include <vector>

namespace {

std::vector<unsigned char> save(const CTorvaneDoc& doc) {
    std::ostringstream out;
    EXPECT_TRUE(doc.Serialize(out));
    const std::string s = out.str();
    return {s.begin(), s.end()};
}

void putI32(std::vector<unsigned char>& b, std::int32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<unsigned char>(static_cast<std::uint32_t>(v) >> (8 * i)));
}

void putF64(std::vector<unsigned char>& b, double v) {
    std::uint64_t u;
    std::memcpy(&u, &v, 8);
    for (int i = 0; i < 8; ++i)
        b.push_back(static_cast<unsigned char>(u >> (8 * i)));
}

// A document holding one of every kind with distinct attributes.
void fillEveryKind(CTorvaneDoc& doc) {
    doc.addObject(KIND_C, 1.5, -2.25, -3.0, 255, 0, 7)->width = 3;
    SceneObject* l = doc.addObject(KIND_L, 0.1, 0.2, 0.3, 0.4, 1, 2, 3);
    l->dashed = 1;
    doc.addObject(KIND_C_PRIME, 1e300, -1e-300, 0.0, 10, 20, 30);
    doc.addObject(KIND_L_PRIME, -7, 8, 9, -10, 0, 128, 255)->pinned = 1;
}

std::vector<std::string> texts(const CTorvaneDoc& doc) {
    std::vector<std::string> out;
    for (const SceneObject* o : doc)
        out.push_back(o->toString());
    return out;
}

void expectLoadFails(const std::vector<unsigned char>& bytes, const char* detailPart) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 4, 5, 6, 0, 0, 0);
    std::string error;
    EXPECT_FALSE(doc.loadBytes(bytes.data(), bytes.size(), &error));
    EXPECT_NE(error.find(detailPart), std::string::npos) << error;
    ASSERT_EQ(doc.objectCount, 1);
    EXPECT_EQ((*doc.begin())->toString(), "C(4.0, 5.0, 6.0)");
}

} // namespace

TEST(DocumentFormat, EmptyDocumentIsFourZeroBytes) {
    CTorvaneDoc doc;
    EXPECT_EQ(save(doc), (std::vector<unsigned char>{0, 0, 0, 0}));
    CTorvaneDoc loaded;
    loaded.addObject(KIND_C, 0, 0, 1, 0, 0, 0);
    const auto bytes = save(doc);
    ASSERT_TRUE(loaded.loadBytes(bytes.data(), bytes.size()));
    EXPECT_EQ(loaded.objectCount, 0);
    EXPECT_EQ(loaded.begin(), loaded.end());
}

TEST(DocumentFormat, CircleAndCentreLineRecordsHaveExactLayout) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 1, 2, -3, 255, 0, 0);
    doc.addObject(KIND_L_PRIME, 0, 0, 5, 0, 0, 0, 0);
    std::vector<unsigned char> expected;
    putI32(expected, 2);
    for (int v : {0, 255, 0, 0})
        putI32(expected, v);
    for (double v : {1.0, 2.0, -3.0})
        putF64(expected, v);
    putI32(expected, 1);
    putI32(expected, 0);
    for (int v : {3, 0, 0, 0})
        putI32(expected, v);
    for (double v : {0.0, 0.0, 5.0, 0.0})
        putF64(expected, v);
    putI32(expected, 1);
    putI32(expected, 0);
    ASSERT_EQ(expected.size(), 4u + 48u + 56u);
    EXPECT_EQ(save(doc), expected);
}

TEST(DocumentFormat, RoundTripKeepsEverythingButPinned) {
    CTorvaneDoc doc;
    fillEveryKind(doc);
    const auto bytes = save(doc);
    CTorvaneDoc loaded;
    ASSERT_TRUE(loaded.loadBytes(bytes.data(), bytes.size()));
    ASSERT_EQ(loaded.objectCount, 4);
    auto a = doc.begin();
    for (const SceneObject* b : loaded) {
        const SceneObject* o = *a;
        EXPECT_EQ(b->kind, o->kind);
        EXPECT_EQ(b->x[0], o->x[0]);
        EXPECT_EQ(b->y[0], o->y[0]);
        if (isLineKind(o->kind)) {
            EXPECT_EQ(b->x[1], o->x[1]);
            EXPECT_EQ(b->y[1], o->y[1]);
        } else {
            EXPECT_EQ(b->r, o->r);
        }
        EXPECT_EQ(std::tie(b->red, b->green, b->blue, b->width, b->dashed),
                  std::tie(o->red, o->green, o->blue, o->width, o->dashed));
        EXPECT_EQ(b->pinned, 0);
        ++a;
    }
}

TEST(DocumentFormat, AddObjectTruncatesColoursAndRejectsBadKinds) {
    CTorvaneDoc doc;
    SceneObject* o = doc.addObject(KIND_C, 0, 0, 1, 254.9, 0.99, 17.0);
    EXPECT_EQ(std::tie(o->red, o->green, o->blue), std::make_tuple(254, 0, 17));
    EXPECT_EQ(doc.addObject(4, 0, 0, 1, 0, 0, 0), nullptr);
    EXPECT_EQ(doc.addObject(-1, 0, 0, 1, 1, 0, 0, 0), nullptr);
    EXPECT_EQ(doc.objectCount, 1);
}

TEST(DocumentFormat, RemoveObjectUnlinksOnlyThatObjectAndKeepsAppending) {
    CTorvaneDoc doc;
    SceneObject* a = doc.addObject(KIND_C, 1, 0, 1, 0, 0, 0);
    doc.addObject(KIND_C, 2, 0, 1, 0, 0, 0);
    SceneObject* c = doc.addObject(KIND_C, 3, 0, 1, 0, 0, 0);
    doc.removeObject(c); // the tail: later appends must still land at the end
    doc.addObject(KIND_C, 4, 0, 1, 0, 0, 0);
    doc.removeObject(a);
    SceneObject stranger;
    doc.removeObject(&stranger);
    EXPECT_EQ(texts(doc), (std::vector<std::string>{"C(2.0, 0.0, 1.0)", "C(4.0, 0.0, 1.0)"}));
    EXPECT_EQ(doc.objectCount, 2);
    doc.removeAll();
    EXPECT_EQ(doc.objectCount, 0);
    doc.addObject(KIND_L, 0, 0, 1, 1, 0, 0, 0);
    EXPECT_EQ(texts(doc), (std::vector<std::string>{"L(0.0, 0.0, 1.0, 1.0)"}));
}

TEST(DocumentFormat, ClampedValuesAreReportedAndHarmlessOnesKept) {
    std::vector<unsigned char> b;
    putI32(b, 2);
    for (int v : {0, 300, -5, 255})
        putI32(b, v);
    for (double v : {0.0, 0.0, 1.0})
        putF64(b, v);
    putI32(b, 40); // width: wide, but drawable
    putI32(b, 7);  // dashed: any nonzero value draws dashed
    for (int v : {1, 1, 2, 3})
        putI32(b, v);
    for (double v : {0.0, 0.0, 1.0, 1.0})
        putF64(b, v);
    putI32(b, 0); // width 0 would draw nothing
    putI32(b, 0);
    CTorvaneDoc doc;
    LoadNotes notes;
    ASSERT_TRUE(doc.loadBytes(b.data(), b.size(), nullptr, &notes));
    const SceneObject* o = *doc.begin();
    EXPECT_EQ(std::tie(o->red, o->green, o->blue), std::make_tuple(255, 0, 255));
    EXPECT_EQ(o->width, 40);
    EXPECT_EQ(o->dashed, 7);
    EXPECT_EQ((*++doc.begin())->width, 1);
    EXPECT_EQ(notes.changedValues, 3);
    EXPECT_EQ(notes.ignoredBytes, 0u);
    EXPECT_EQ(notes.sentences(),
              (std::vector<std::string>{
                  "3 values out of range were changed (first object 0: red 300 became 255)."}));

    // The next save writes back the width and dashed value that were kept (bytes 44..51).
    const auto again = save(doc);
    EXPECT_TRUE(std::equal(again.begin() + 44, again.begin() + 52, b.begin() + 44));

    // Once saved, the file has nothing left to report.
    LoadNotes none;
    ASSERT_TRUE(doc.loadBytes(again.data(), again.size(), nullptr, &none));
    EXPECT_TRUE(none.empty()) << none.changedValues;
}

TEST(DocumentFormat, TrailingBytesAreCountedNotLoaded) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 1, 2, 3, 0, 0, 0);
    auto bytes = save(doc);
    bytes.insert(bytes.end(), {0, 0, 0, 0, 0, 0, 0});
    CTorvaneDoc loaded;
    LoadNotes notes;
    ASSERT_TRUE(loaded.loadBytes(bytes.data(), bytes.size(), nullptr, &notes));
    EXPECT_EQ(texts(loaded), (std::vector<std::string>{"C(1.0, 2.0, 3.0)"}));
    EXPECT_EQ(notes.sentences(),
              (std::vector<std::string>{"7 bytes after the last object were ignored."}));
}

TEST(DocumentFormat, NonFiniteOrBadKindSceneIsNotSerialized) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 0, 0, 1, 0, 0, 0);
    SceneObject* line = doc.addObject(KIND_L, 0, 0, 1, 0, 0, 0, 0);
    line->y[1] = std::numeric_limits<double>::infinity();
    std::ostringstream out;
    std::string error;
    EXPECT_FALSE(doc.Serialize(out, &error));
    EXPECT_EQ(error, "object 1 has a coordinate that is not a finite number");
    EXPECT_TRUE(out.str().empty());
    line->y[1] = 0;
    line->kind = 9;
    std::vector<unsigned char> image;
    EXPECT_FALSE(doc.toBytes(image, &error));
    EXPECT_EQ(error, "object 1 has kind 9, not 0..3");
}

TEST(DamagedFiles, TruncationAtEveryOffsetFailsAndKeepsOpenScene) {
    CTorvaneDoc doc;
    fillEveryKind(doc);
    const auto bytes = save(doc);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        expectLoadFails(std::vector<unsigned char>(bytes.begin(), bytes.begin() + cut), "byte ");
    }
}

TEST(DamagedFiles, BadKindNegativeAndHugeCountsAndNonFiniteCoordinates) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 0, 0, 1, 0, 0, 0);
    doc.addObject(KIND_L, 0, 0, 1, 0, 0, 0, 0);
    const auto good = save(doc);

    auto badKind = good;
    badKind[4 + 48] = 4;
    expectLoadFails(badKind, "object 1: kind 4");
    badKind[4 + 48] = 0xff; // kind 255
    expectLoadFails(badKind, "kind 255");

    auto negative = good;
    negative[3] = 0x80;
    expectLoadFails(negative, "negative object count");

    auto huge = good;
    huge[0] = 3;
    expectLoadFails(huge, "object count 3 does not fit");
    huge[2] = 0x7f;
    expectLoadFails(huge, "does not fit");

    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity()}) {
        auto nonFinite = good;
        std::vector<unsigned char> enc;
        putF64(enc, bad);
        std::copy(enc.begin(), enc.end(), nonFinite.begin() + 4 + 48 + 16 + 24); // line's y1
        expectLoadFails(nonFinite, "object 1: coordinate is not a finite number");
    }
}

TEST(DamagedFiles, RandomMutationsNeverCrashAndLoadAllOrNothing) {
    CTorvaneDoc source;
    fillEveryKind(source);
    fillEveryKind(source);
    const auto good = save(source);
    std::mt19937 rng(12345);
    for (int round = 0; round < 20000; ++round) {
        auto bytes = good;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e)
            bytes[rng() % bytes.size()] = static_cast<unsigned char>(rng());
        if (rng() % 4 == 0)
            bytes.resize(rng() % bytes.size());
        CTorvaneDoc doc;
        doc.addObject(KIND_C, 4, 5, 6, 0, 0, 0);
        if (doc.loadBytes(bytes.data(), bytes.size())) {
            for (const SceneObject* o : doc) {
                ASSERT_TRUE(isValidKind(o->kind));
                ASSERT_TRUE(std::isfinite(o->x[0]) && std::isfinite(o->y[0]));
                ASSERT_TRUE(o->red >= 0 && o->red <= 255 && o->width >= 1);
            }
        } else {
            ASSERT_EQ(doc.objectCount, 1);
            ASSERT_EQ((*doc.begin())->toString(), "C(4.0, 5.0, 6.0)");
        }
    }
}

TEST(DocumentFormat, RemovedObjectsMemoryComesBackAsFreshObjects) {
    CTorvaneDoc doc;
    std::vector<SceneObject*> made;
    for (int i = 0; i < 40; ++i) { // several blocks of nodes
        SceneObject* o = doc.addObject(KIND_L, i, 0, i, 1, 9, 9, 9);
        o->pinned = 1;
        o->width = 5;
        o->dashed = 3;
        made.push_back(o);
    }
    for (int i = 0; i < 40; i += 2)
        doc.removeObject(made[static_cast<std::size_t>(i)]);
    ASSERT_EQ(doc.objectCount, 20);
    for (int i = 0; i < 20; ++i) {
        const SceneObject* c = doc.addObject(KIND_C, 100 + i, 0, 1, 0, 0, 0);
        EXPECT_EQ(std::tie(c->pinned, c->width, c->dashed), std::make_tuple(0, 1, 0));
        EXPECT_EQ(c->x[1], SceneObject{}.x[1]);
    }
    // The survivors were not disturbed, and the order is the order of adding.
    const std::vector<std::string> all = texts(doc);
    ASSERT_EQ(all.size(), 40u);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(all[static_cast<std::size_t>(i)], "L(" + std::to_string(2 * i + 1) + ".0, 0.0, " +
                                                        std::to_string(2 * i + 1) + ".0, 1.0)");
        EXPECT_EQ(all[static_cast<std::size_t>(20 + i)],
                  "C(" + std::to_string(100 + i) + ".0, 0.0, 1.0)");
    }
    const SceneObject* restored = doc.insertObject(0, *made[1]);
    EXPECT_EQ(*restored, *made[1]);
    EXPECT_EQ(doc.objectAt(0), restored);
}

#if defined(__SANITIZE_ADDRESS__)
// Removed objects' memory is kept for reuse; the sanitizer must still see a pointer
// kept to one of them.
TEST(DocumentFormatDeathTest, ReadingARemovedObjectIsCaughtBySanitizer) {
    EXPECT_DEATH(
        {
            CTorvaneDoc doc;
            SceneObject* gone = doc.addObject(KIND_C, 1, 2, 3, 0, 0, 0);
            doc.addObject(KIND_C, 4, 5, 6, 0, 0, 0);
            doc.removeObject(gone);
            std::printf("%f\n", gone->x[0]);
        },
        "use-after-poison");
}
#endif

TEST(DocumentFormat, LoadReplacesTheSceneAndLaterAddsGoAtItsEnd) {
    CTorvaneDoc source;
    fillEveryKind(source);
    const auto bytes = save(source);
    CTorvaneDoc doc;
    for (int i = 0; i < 30; ++i)
        doc.addObject(KIND_C, i, 0, 1, 0, 0, 0);
    ASSERT_TRUE(doc.loadBytes(bytes.data(), bytes.size()));
    doc.addObject(KIND_C, 7, 8, 9, 0, 0, 0);
    std::vector<std::string> expected = texts(source);
    expected.push_back("C(7.0, 8.0, 9.0)");
    EXPECT_EQ(texts(doc), expected);
    EXPECT_EQ(doc.objectCount, 5);
    doc.removeAll();
    doc.addObject(KIND_C, 1, 1, 1, 0, 0, 0);
    EXPECT_EQ(texts(doc), (std::vector<std::string>{"C(1.0, 1.0, 1.0)"}));
}
