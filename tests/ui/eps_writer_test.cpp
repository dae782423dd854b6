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
    const EpsOffsets off = epsOffsets(doc).value();
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
    const std::string text = epsText(doc).value();
    EXPECT_NE(text.find("\n9.000000 9.000000 4.000000 0 360 arc\n"), std::string::npos);
    EXPECT_NE(text.find("%%BoundingBox: 4 4 14 14\n"), std::string::npos);
}

TEST(EpsText, OffsetsAreSinglePrecisionAndSumsDouble) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 0.1, 1000, 0.2, 0, 0, 0);
    // mx = -0.1: ox = float(5.1) = 5.099999904632568...
    const std::string text = epsText(doc).value();
    EXPECT_NE(text.find("5.200000 1000.000000 0.200000 0 360 arc"), std::string::npos) << text;
    EXPECT_FLOAT_EQ(epsOffsets(doc)->ox, 5.1f);
    EXPECT_NE(static_cast<double>(epsOffsets(doc)->ox), 5.1);
}

TEST(EpsText, BoundingBoxEnclosesEveryObjectAfterTheOffsets) {
    CTorvaneDoc doc;
    doc.addObject(KIND_L, 2.25, 3.5, 40.75, -7.5, 0, 0, 0);
    doc.addObject(KIND_C, 30, 30, 12.2, 0, 0, 0);
    // oy = 12.5: the line's end comes to y = 5, the circle spans 30.5..54.9 in y.
    const std::string text = epsText(doc).value();
    EXPECT_NE(text.find("%%BoundingBox: 1 4 43 56\n"), std::string::npos) << text;
}

TEST(EpsFile, WritesTheTextAndReportsAFileThatCannotBeOpened) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 1, 2, 3, 0, 0, 0);
    char dir[] = "/tmp/torvane-eps-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/out.eps";
    ASSERT_EQ(writeEpsFile(path, doc), PictureWriteResult::Written);
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    EXPECT_EQ(all.str(), epsText(doc));
    EXPECT_EQ(writeEpsFile(std::string(dir) + "/missing/out.eps", doc),
              PictureWriteResult::CannotWrite);
    // the write itself fails
    EXPECT_EQ(writeEpsFile("/dev/full", doc), PictureWriteResult::CannotWrite);
    std::remove(path.c_str());
    rmdir(dir);
}

TEST(EpsText, CoordinatesBeyondSinglePrecisionAreRefusedNotWrittenAsInf) {
    constexpr double kFloatMax = 3.4028234663852886e38;
    struct Case {
        const char* what;
        int kind;
        double a, b, c, d;
    };
    const Case tooLarge[] = {
        {"negative x: the offset would not fit a float", KIND_L, -1e39, 0, 0, 0},
        {"negative y through a radius", KIND_C, 0, -3e38, 1e38, 0},
        {"large positive x needs no offset but is no PostScript real", KIND_L_PRIME, 0, 0, 1e39, 0},
        {"a radius alone", KIND_C_PRIME, 0, 0, 5e38, 0},
        {"sums that overflow a double", KIND_C, -1.7e308, 0, 1.7e308, 0},
    };
    for (const Case& c : tooLarge) {
        SCOPED_TRACE(c.what);
        CTorvaneDoc doc;
        doc.addObject(KIND_C, 1, 2, 3, 0, 0, 0);
        if (isLineKind(c.kind))
            doc.addObject(c.kind, c.a, c.b, c.c, c.d, 0, 0, 0);
        else
            doc.addObject(c.kind, c.a, c.b, c.c, 0, 0, 0);
        EXPECT_FALSE(epsText(doc).has_value());
        // Refused before the file is opened: this path would fail to open.
        EXPECT_EQ(writeEpsFile("/nonexistent/never/opened.eps", doc), PictureWriteResult::TooLarge);
    }

    // Just inside the range still exports, and the file says no inf anywhere.
    CTorvaneDoc inside;
    inside.addObject(KIND_L, 0, 0, kFloatMax / 2, 1e30, 0, 0, 0);
    const std::optional<std::string> text = epsText(inside);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->find("inf"), std::string::npos);
    EXPECT_NE(text->find(" lineto\n"), std::string::npos);
}

} // namespace
