// File > Export from the window: the chosen filter decides the format, and the pictures
// show the plane pane as it is on screen, without halos.
#include "gui_support.h"

#include <QFile>
#include <QImage>
#include <QSvgRenderer>

#include <cmath>

namespace {

class PictureExportTest : public GuiTest {
  protected:
    QByteArray exportWith(const QString& filter, const QString& name) {
        const QString path = tempPath(name);
        prompts.fileAnswers = {path};
        prompts.filterAnswers = {filter};
        trigger(cmd::kFileExport);
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(PictureExportTest, EachFilterWritesItsOwnFormatWhateverTheNameSays) {
    start({TORVANE_TEST_DATA "/three_styles.tvn"});
    QFile pinned(TORVANE_TEST_DATA "/three_styles.eps");
    ASSERT_TRUE(pinned.open(QIODevice::ReadOnly));
    EXPECT_EQ(exportWith("EPS Files (*.eps)", "a.out"), pinned.readAll());

    const QByteArray svg = exportWith("SVG Files (*.svg)", "b.out");
    EXPECT_TRUE(svg.startsWith("<?xml")) << svg.left(40).toStdString();
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    const ViewState& s = view().state;
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, s.splitX(), s.clientHeight));

    EXPECT_TRUE(exportWith("PDF Files (*.pdf)", "c.out").startsWith("%PDF-"));
    const QByteArray png = exportWith("PNG Files (*.png)", "d.out");
    EXPECT_EQ(QImage::fromData(png, "PNG").size(), QSize(2 * s.splitX(), 2 * s.clientHeight));
    EXPECT_EQ(prompts.count("message"), 0);
}

TEST_F(PictureExportTest, PngShowsThePaneAtTwiceItsPixelsWithoutTheSelectionHalo) {
    start({TORVANE_TEST_DATA "/three_styles.tvn"});
    // Move the view so the picture must follow the pane, not a default placement.
    ViewState& s = view().state;
    s.planeOriginX = 330;
    s.planeOriginY = 260;
    s.selectedObject = *doc().begin();
    view().redraw();
    const QImage png = QImage::fromData(exportWith("PNG Files (*.png)", "pane.png"), "PNG");
    ASSERT_EQ(png.size(), QSize(2 * s.splitX(), 2 * s.clientHeight));

    // The blue circle of radius 100 about the origin, at 45 degrees on its rim.
    const double rimX = 330 + 100 * std::cos(M_PI / 4), rimY = 260 + 100 * std::sin(M_PI / 4);
    bool blue = false;
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx) {
            const QColor c = png.pixelColor(static_cast<int>(2 * rimX) + dx,
                                            static_cast<int>(2 * (s.clientHeight - rimY)) + dy);
            blue = blue || (c.blue() > 200 && c.red() < 80 && c.green() < 80);
        }
    EXPECT_TRUE(blue);
    // The screen shows the halo; the picture does not.
    EXPECT_TRUE(Framebuffer(view()).hasNear(static_cast<int>(rimX), static_cast<int>(rimY),
                                            QColor(204, 204, 0), 3));
    int halo = 0;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x) {
            const QColor c = png.pixelColor(x, y);
            halo += std::abs(c.red() - 204) < 30 && std::abs(c.green() - 204) < 30 && c.blue() < 60;
        }
    EXPECT_EQ(halo, 0);
    if (HasFailure())
        png.save(QString(getenv("TORVANE_ARTEFACTS") ? getenv("TORVANE_ARTEFACTS") : "/tmp") +
                 "/export_pane.png");
}

} // namespace
