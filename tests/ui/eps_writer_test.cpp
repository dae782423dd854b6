// EPS export: offsets, the exact text of each line, and the bounding box.
#include "ui/eps_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

TEST(EpsText, EmptyDocumentHoldsOnlyTheHeaderAndTheEmptyLine) {
    CTorvaneDoc doc;
    EXPECT_EQ(epsText(doc), "%!PS-Adobe-2.0 EPSF-2.0\n%%BoundingBox: 0 0 0 0\n\n");
}

TEST(EpsText, CircleAtNonNegativeCoordinatesIsNotShiftedAndUsesTheRadiusMagnitude) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 10, 20, -3, 0, 0, 0);
    EXPECT_EQ(epsText(doc), "%!PS-Adobe-2.0 EPSF-2.0\n"
                            "%%BoundingBox: 6 16 14 24\n"
                            "\n"
                            "newpath\n"
                            "10.000000 20.000000 3.000000 0 360 arc\n"
                            "stroke\n\n");
}

TEST(EpsText, LineReachingNegativeXIsShiftedSoItsLowestXIsFive) {
    CTorvaneDoc doc;
    ASSERT_NE(doc.addObject(KIND_L_PRIME, -10, 0, 10, 0, 0, 0, 0), nullptr);
    const EpsOffsets off = epsOffsets(doc);
    EXPECT_FLOAT_EQ(off.ox, 15);
    EXPECT_FLOAT_EQ(off.oy, 0);
    EXPECT_EQ(epsText(doc), "%!PS-Adobe-2.0 EPSF-2.0\n"
                            "%%BoundingBox: 4 -1 26 1\n"
                            "\n"
                            "newpath\n"
                            "5.000000 0.000000 moveto\n"
                            "25.000000 0.000000 lineto\n"
                            "stroke\n\n");
}

TEST(EpsText, CircleAroundTheOriginShiftsBothAxes) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C_PRIME, 0, 0, 4, 0, 0, 0);
    const std::string text = epsText(doc);
    EXPECT_NE(text.find("\n9.000000 9.000000 4.000000 0 360 arc\n"), std::string::npos);
    EXPECT_NE(text.find("%%BoundingBox: 4 4 14 14\n"), std::string::npos);
}

TEST(EpsText, OffsetsAreSinglePrecisionAndSumsDouble) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 0.1, 1000, 0.2, 0, 0, 0);
    // mx = -0.1: ox = float(5.1) = 5.099999904632568...
    const std::string text = epsText(doc);
    EXPECT_NE(text.find("5.200000 1000.000000 0.200000 0 360 arc"), std::string::npos) << text;
    EXPECT_FLOAT_EQ(epsOffsets(doc).ox, 5.1f);
    EXPECT_NE(static_cast<double>(epsOffsets(doc).ox), 5.1);
}

TEST(EpsText, BoundingBoxEnclosesEveryObjectAfterTheOffsets) {
    CTorvaneDoc doc;
    doc.addObject(KIND_L, 2.25, 3.5, 40.75, -7.5, 0, 0, 0);
    doc.addObject(KIND_C, 30, 30, 12.2, 0, 0, 0);
    // oy = 12.5: the line's end comes to y = 5, the circle spans 30.5..54.9 in y.
    const std::string text = epsText(doc);
    EXPECT_NE(text.find("%%BoundingBox: 1 4 43 56\n"), std::string::npos) << text;
}

TEST(EpsFile, WritesTheTextAndReportsAFileThatCannotBeOpened) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 1, 2, 3, 0, 0, 0);
    char dir[] = "/tmp/torvane-eps-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/out.eps";
    ASSERT_TRUE(writeEpsFile(path, doc));
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    EXPECT_EQ(all.str(), epsText(doc));
    EXPECT_FALSE(writeEpsFile(std::string(dir) + "/missing/out.eps", doc));
    EXPECT_FALSE(writeEpsFile("/dev/full", doc)); // the write itself fails
    std::remove(path.c_str());
    rmdir(dir);
}

} // namespace
