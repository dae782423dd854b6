// `torvane-cli export` run as a user runs it; each picture is then read back by tools of
// its own (rsvg-convert for SVG, pdftoppm for PDF, Qt's image reader for PNG) and the
// three objects of a small scene are looked for where the scene puts them.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The scene of tests/data/three_styles.tvn: a blue circle at the origin with radius 100,
// a red dashed line of width 2 at y = 150 from x = -200 to 200, and a green line of
// width 8 at x = 150 from y = -150 to 100. Its bounding box [-200, 200] x [-150, 150]
// with 20 units of margin is 440 x 340 units, fitted into 800 pixels: 800 x 618.
constexpr double kZoom = 800.0 / 440.0;
constexpr int kPictureWidth = 800;
constexpr int kPictureHeight = 618;

struct Rendering {
    QImage image;
    double scale; // image pixels per picture pixel
    // The image pixel of a scene point.
    QPointF at(double x, double y) const {
        return {scale * (x + 220) * kZoom, scale * (kPictureHeight - (y + 170) * kZoom)};
    }
};

bool reddish(QColor c) {
    return c.red() - std::max(c.green(), c.blue()) > 80;
}
bool bluish(QColor c) {
    return c.blue() - std::max(c.red(), c.green()) > 80;
}
bool greenish(QColor c) {
    return c.green() - std::max(c.red(), c.blue()) > 60;
}

bool anyNear(const Rendering& r, QPointF p, double radius, bool (*is)(QColor)) {
    const int reach = static_cast<int>(std::ceil(radius));
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint q(static_cast<int>(std::lround(p.x())) + dx,
                           static_cast<int>(std::lround(p.y())) + dy);
            if (r.image.rect().contains(q) && is(r.image.pixelColor(q)))
                return true;
        }
    return false;
}

class CliPictures : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path(const QString& name) const { return dir.filePath(name); }

    // Runs a program and returns its exit status (-1 when it did not run).
    static int run(const QString& program, const QStringList& args, QString* errors = nullptr) {
        QProcess p;
        p.start(program, args);
        if (!p.waitForFinished(60000))
            return -1;
        if (errors)
            *errors = QString::fromLocal8Bit(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    void exportTo(const QString& out) {
        QString errors;
        ASSERT_EQ(run(TORVANE_CLI, {"export", TORVANE_TEST_DATA "/three_styles.tvn", out}, &errors),
                  0)
            << errors.toStdString();
        ASSERT_TRUE(QFile::exists(out));
    }

    // Keeps the rendering beside the test's artefacts when a check failed.
    void keepOnFailure(const Rendering& r, const char* name) {
        if (!HasFailure())
            return;
        const QByteArray folder = qgetenv("TORVANE_ARTEFACTS");
        QDir().mkpath(folder.isEmpty() ? "/tmp" : QString(folder));
        r.image.save(QString(folder.isEmpty() ? "/tmp" : QString(folder)) + "/" + name);
    }

    // The three objects where they belong, with their colours, dashes and widths.
    void expectThreeStyles(const Rendering& r) {
        const double s = r.scale;
        ASSERT_FALSE(r.image.isNull());
        // Blue rim away from the axes and the arrow; the inside shows the pane's grey.
        for (double deg : {45.0, 225.0, 315.0}) {
            const double a = deg * M_PI / 180;
            EXPECT_TRUE(anyNear(r, r.at(100 * std::cos(a), 100 * std::sin(a)), 2 * s, bluish))
                << "circle rim at " << deg << " degrees";
        }
        const QColor inside = r.image.pixelColor(r.at(40, -40).toPoint());
        EXPECT_NEAR(inside.red(), 209, 12);
        EXPECT_NEAR(inside.green(), 209, 12);
        EXPECT_NEAR(inside.blue(), 209, 12);

        // Red dashes along y = 150: about half the line is red, in dashes and gaps.
        int red = 0, samples = 0;
        for (double x = -190; x <= 110; x += 0.5 / kZoom) {
            if (std::fabs(x) < 8)
                continue; // the y axis crosses here
            ++samples;
            red += anyNear(r, r.at(x, 150), 0, reddish);
        }
        EXPECT_GT(red, samples * 3 / 10) << red << " of " << samples;
        EXPECT_LT(red, samples * 7 / 10) << red << " of " << samples;
        // Two pixels wide: nothing red six pixels off its middle.
        int wide = 0;
        for (double x = -190; x <= 110; x += 1 / kZoom)
            wide += anyNear(r, r.at(x, 150 + 6 / kZoom), 0, reddish) +
                    anyNear(r, r.at(x, 150 - 6 / kZoom), 0, reddish);
        EXPECT_EQ(wide, 0) << "red line too wide";
        // Drawn across the picture, beyond its two points.
        EXPECT_TRUE(anyNear(r, r.at(-214, 150), 8 * s, reddish));

        // Green line at x = 150, 8 pixels wide, also beyond its points.
        for (double y : {-100.0, -166.0, 165.0}) {
            const QPointF centre = r.at(150, y);
            int green = 0;
            for (int dx = -static_cast<int>(20 * s); dx <= static_cast<int>(20 * s); ++dx)
                green += greenish(
                    r.image.pixelColor(QPoint(static_cast<int>(std::lround(centre.x())) + dx,
                                              static_cast<int>(std::lround(centre.y())))));
            EXPECT_GE(green, 6 * s) << "green width at y = " << y;
            EXPECT_LE(green, 10 * s) << "green width at y = " << y;
        }
    }

    QTemporaryDir dir;
};

TEST_F(CliPictures, SvgIsWellFormedXmlAndRendersTheThreeStyles) {
    const QString svg = path("scene.svg");
    exportTo(svg);
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    while (!xml.atEnd())
        xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(QSvgRenderer(svg).isValid());

    const QString png = path("svg.png");
    ASSERT_EQ(run("rsvg-convert", {"-o", png, svg}), 0);
    Rendering r{QImage(png), 1.0};
    // The size goes through millimetres: a pixel of rounding.
    EXPECT_NEAR(r.image.width(), kPictureWidth, 1);
    EXPECT_NEAR(r.image.height(), kPictureHeight, 1);
    expectThreeStyles(r);
    keepOnFailure(r, "cli_svg.png");
}

TEST_F(CliPictures, PdfRendersTheThreeStylesOnAPageOfThePictureSize) {
    const QString pdf = path("scene.pdf");
    exportTo(pdf);
    // At 96 dots per inch a page of the picture's size has the picture's pixels.
    ASSERT_EQ(run("pdftoppm", {"-r", "96", "-png", "-singlefile", pdf, path("pdf")}), 0);
    Rendering r{QImage(path("pdf.png")), 1.0};
    EXPECT_NEAR(r.image.width(), kPictureWidth, 1);
    EXPECT_NEAR(r.image.height(), kPictureHeight, 1);
    expectThreeStyles(r);
    keepOnFailure(r, "cli_pdf.png");
}

TEST_F(CliPictures, PngHasTwiceThePicturePixelsAndTheThreeStyles) {
    const QString png = path("scene.PNG");
    exportTo(png);
    Rendering r{QImage(png, "PNG"), 2.0};
    EXPECT_EQ(r.image.size(), QSize(2 * kPictureWidth, 2 * kPictureHeight));
    expectThreeStyles(r);
    keepOnFailure(r, "cli_png.png");
}

} // namespace

int main(int argc, char** argv) {
    // Rendering the SVG with Qt needs an application object, but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
