// tvn files byte for byte: what the writer produces against an encoder of the test's own,
// a file written by an earlier build read and written back unchanged, and the exact words
// of every refusal, also deep inside a large file.
#include "scene/byte_order.h"
#include "scene/tvn_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// Little-endian by shifts, as the format is defined, whatever the host does.
void putI32(Bytes& b, std::int32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<unsigned char>(static_cast<std::uint32_t>(v) >> (8 * i)));
}

void putF64(Bytes& b, double v) {
    const auto u = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i)
        b.push_back(static_cast<unsigned char>(u >> (8 * i)));
}

Bytes encode(const CTorvaneDoc& doc) {
    Bytes b;
    putI32(b, doc.objectCount);
    for (const SceneObject* o : doc) {
        for (std::int32_t v : {o->kind, o->red, o->green, o->blue})
            putI32(b, v);
        putF64(b, o->x[0]);
        putF64(b, o->y[0]);
        if (isLineKind(o->kind)) {
            putF64(b, o->x[1]);
            putF64(b, o->y[1]);
        } else {
            putF64(b, o->r);
        }
        putI32(b, o->width);
        putI32(b, o->dashed);
    }
    return b;
}

Bytes fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// Any finite double, from raw bits: signed zeros, subnormals and the extremes included.
double anyFinite(std::mt19937_64& rng) {
    for (;;) {
        const double v = std::bit_cast<double>(rng());
        if (std::isfinite(v))
            return v;
    }
}

// Objects with arbitrary geometry and every attribute a loaded file can hold unchanged.
void fillRandom(CTorvaneDoc& doc, int n, std::mt19937_64& rng) {
    for (int i = 0; i < n; ++i) {
        const int kind = static_cast<int>(rng() % 4);
        const int red = static_cast<int>(rng() % 256), green = static_cast<int>(rng() % 256),
                  blue = static_cast<int>(rng() % 256);
        SceneObject* o = isLineKind(kind)
                             ? doc.addObject(kind, anyFinite(rng), anyFinite(rng), anyFinite(rng),
                                             anyFinite(rng), red, green, blue)
                             : doc.addObject(kind, anyFinite(rng), anyFinite(rng), anyFinite(rng),
                                             red, green, blue);
        o->width = 1 + static_cast<std::int32_t>(rng() % 0x7ffffffe);
        o->dashed = static_cast<std::int32_t>(static_cast<std::uint32_t>(rng()));
    }
}

Bytes serialized(const CTorvaneDoc& doc) {
    std::ostringstream out;
    EXPECT_TRUE(doc.Serialize(out));
    const std::string s = out.str();
    return {s.begin(), s.end()};
}

} // namespace

class TvnBytes : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("torvane_bytes_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string file(const char* name) const { return (dir / name).string(); }

    // The exact refusal of a load of bytes from disk; the open scene must survive it.
    std::string refusal(const Bytes& bytes) {
        const std::string path = file("damaged.tvn");
        writeFile(path, bytes);
        CTorvaneDoc doc;
        doc.addObject(KIND_C, 4, 5, 6, 0, 0, 0);
        std::string error;
        EXPECT_FALSE(loadSceneFile(path, doc, &error));
        EXPECT_EQ(doc.objectCount, 1);
        const std::string prefix = path + ": ";
        EXPECT_EQ(error.compare(0, prefix.size(), prefix), 0) << error;
        return error.substr(std::min(prefix.size(), error.size()));
    }

    std::filesystem::path dir;
};

TEST_F(TvnBytes, FileOfAnEarlierBuildIsWrittenBackByteForByte) {
    // 24 records of every kind: signed zeros, subnormals, the largest doubles, extreme
    // widths and dashed values, all colours in range.
    const std::string fixture = std::string(TORVANE_TEST_DATA) + "/mixed_records.tvn";
    const Bytes original = fileBytes(fixture);
    ASSERT_EQ(original.size(), 1244u);
    CTorvaneDoc doc;
    std::string error;
    LoadNotes notes;
    ASSERT_TRUE(loadSceneFile(fixture, doc, &error, &notes)) << error;
    EXPECT_TRUE(notes.empty());
    ASSERT_EQ(doc.objectCount, 24);
    EXPECT_EQ(serialized(doc), original);
    const std::string copy = file("copy.tvn");
    ASSERT_TRUE(saveSceneFile(copy, doc, &error)) << error;
    EXPECT_EQ(fileBytes(copy), original);
}

TEST_F(TvnBytes, LargeRandomSceneMatchesTheFormatAndComesBackIdentical) {
    std::mt19937_64 rng(20261209);
    CTorvaneDoc doc;
    fillRandom(doc, 30000, rng);
    const Bytes expected = encode(doc);
    Bytes image;
    ASSERT_TRUE(doc.toBytes(image));
    EXPECT_EQ(image, expected);

    const std::string path = file("large.tvn");
    std::string error;
    ASSERT_TRUE(saveSceneFile(path, doc, &error)) << error;
    ASSERT_EQ(fileBytes(path), expected);

    CTorvaneDoc loaded;
    LoadNotes notes;
    ASSERT_TRUE(loadSceneFile(path, loaded, &error, &notes)) << error;
    EXPECT_TRUE(notes.empty());
    ASSERT_EQ(loaded.objectCount, doc.objectCount);
    // Every saved field, bit for bit (signed zeros and NaN-free extremes included).
    EXPECT_EQ(encode(loaded), expected);
}

TEST_F(TvnBytes, FileWithTwoNamesIsRewrittenInPlaceByteForByte) {
    std::mt19937_64 rng(77);
    CTorvaneDoc doc;
    fillRandom(doc, 20000, rng); // many pieces of writing
    const std::string path = file("scene.tvn"), other = file("other-name.tvn");
    writeFile(path, {0, 0, 0, 0});
    std::filesystem::create_hard_link(path, other);
    std::string error;
    ASSERT_TRUE(saveSceneFile(path, doc, &error)) << error;
    EXPECT_EQ(std::filesystem::hard_link_count(path), 2u);
    EXPECT_EQ(fileBytes(other), encode(doc));
}

TEST_F(TvnBytes, RefusalsSayWhereAndWhatExactly) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 0, 0, 1, 0, 0, 0);
    doc.addObject(KIND_L, 0, 0, 1, 0, 0, 0, 0);
    const Bytes good = encode(doc);

    EXPECT_EQ(refusal({}), "byte 0: file too short for the object count");
    EXPECT_EQ(refusal({2, 0, 0}), "byte 0: file too short for the object count");

    Bytes count = good;
    count[3] = 0x80; // 0x80000002
    EXPECT_EQ(refusal(count), "byte 0: negative object count -2147483646");
    count = good;
    count[0] = 3;
    EXPECT_EQ(refusal(count), "byte 0: object count 3 does not fit in the file");

    Bytes kind = good;
    kind[4 + 48] = 0xfe;
    kind[4 + 48 + 1] = kind[4 + 48 + 2] = kind[4 + 48 + 3] = 0xff;
    EXPECT_EQ(refusal(kind), "byte 52: object 1: kind -2 is not 0..3");

    // A circle's record read as a line needs 56 bytes where only 48 are left.
    Bytes longer(good.begin(), good.begin() + 4 + 48);
    longer[0] = 1;
    longer[4] = KIND_L;
    EXPECT_EQ(refusal(longer), "byte 4: object 0: file ends inside the record");

    Bytes nonFinite = good;
    nonFinite[4 + 16 + 8 + 7] = 0x7f; // circle's y: exponent all ones
    nonFinite[4 + 16 + 8 + 6] = 0xf8;
    EXPECT_EQ(refusal(nonFinite), "byte 4: object 0: coordinate is not a finite number");
}

TEST_F(TvnBytes, DamageDeepInALargeFileNamesTheRightObjectAndOffset) {
    CTorvaneDoc doc;
    std::vector<std::size_t> offsets; // where each record starts
    std::size_t at = 4;
    for (int i = 0; i < 50000; ++i) {
        offsets.push_back(at);
        if (i % 3 == 2) {
            doc.addObject(KIND_L_PRIME, i, -i, i + 1, 2.0 * i, i % 256, 0, 0);
            at += 56;
        } else {
            doc.addObject(KIND_C, i, i, 1 + i % 9, 0, i % 256, 0);
            at += 48;
        }
    }
    const Bytes good = encode(doc);
    ASSERT_EQ(good.size(), at);

    Bytes badKind = good;
    badKind[offsets[41234]] = 7;
    EXPECT_EQ(refusal(badKind),
              "byte " + std::to_string(offsets[41234]) + ": object 41234: kind 7 is not 0..3");

    Bytes badValue = good;
    const std::size_t line = offsets[30002]; // 30002 % 3 == 2: a line
    std::fill(badValue.begin() + static_cast<long>(line) + 40,
              badValue.begin() + static_cast<long>(line) + 48, 0xff); // x1: a NaN
    EXPECT_EQ(refusal(badValue),
              "byte " + std::to_string(line) + ": object 30002: coordinate is not a finite number");

    // Cut inside the last record: the count still fits (48-byte records), the line does not.
    Bytes cut(good.begin(), good.end() - 3);
    EXPECT_EQ(refusal(cut), "byte " + std::to_string(offsets[49999]) +
                                ": object 49999: file ends inside the record");

    // Colours brought into range are still counted, and the first one named, deep in.
    Bytes colours = good;
    colours[offsets[45000] + 8] = 0x2c; // green 300
    colours[offsets[45000] + 9] = 0x01;
    colours[offsets[45001] + 4] = 0xff; // red -1
    colours[offsets[45001] + 5] = 0xff;
    colours[offsets[45001] + 6] = 0xff;
    colours[offsets[45001] + 7] = 0xff;
    const std::string path = file("colours.tvn");
    writeFile(path, colours);
    CTorvaneDoc loaded;
    std::string error;
    LoadNotes notes;
    ASSERT_TRUE(loadSceneFile(path, loaded, &error, &notes)) << error;
    EXPECT_EQ(notes.changedValues, 2);
    EXPECT_EQ(notes.firstChange, "object 45000: green 300 became 255");
    EXPECT_EQ(loaded.objectCount, 50000);
}

TEST(ByteOrder, ReversalForBigEndianHostsSwapsEveryByte) {
    EXPECT_EQ(byte_order::reversed<std::uint32_t>(0x01020384u), 0x84030201u);
    EXPECT_EQ(byte_order::reversed<std::uint64_t>(0x0102030405060788ull), 0x8807060504030201ull);
    EXPECT_EQ(byte_order::littleEndian<std::uint32_t>(0x01020384u),
              std::endian::native == std::endian::little ? 0x01020384u : 0x84030201u);
}
