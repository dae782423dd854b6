// The printed page: the plane drawing scaled into the page, without the halos.
#include "gui_support.h"

#include "app/scene_printing.h"

#include <QPainter>

namespace {

class PrintingTest : public GuiTest {};

bool bluish(QColor c) {
    return c.blue() > 200 && c.red() < 80 && c.green() < 80;
}

bool anyNear(const QImage& image, int x, int y, bool (*is)(QColor)) {
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx)
            if (image.rect().contains(x + dx, y + dy) && is(image.pixelColor(x + dx, y + dy)))
                return true;
    return false;
}

// Rows from the first to the last that hold a pixel of the legend's red within the box.
int redRowSpan(const QImage& image, const QRect& box) {
    int first = -1, last = -1;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 90 && c.blue() < 90) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
        }
    return first < 0 ? 0 : last - first + 1;
}

void keepPage(const QImage& page, const char* name) {
    page.save(QString(getenv("TORVANE_ARTEFACTS") ? getenv("TORVANE_ARTEFACTS") : "/tmp") + "/" +
              name);
}

TEST_F(PrintingTest, WithOnlyTheCircleSpacePaneThePageShowsTheWholeScene) {
    start();
    doc().addObject(KIND_C, 100, 0, 50, 0, 0, 255);
    ViewState state = view().state;
    state.showPlane = 0;
    state.showSpace = 1;
    state.onSize(500, 400);
    QImage page(1000, 1600, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        paintScenePage(painter, QRectF(0, 0, 1000, 1600), doc(), state, view().font());
    }
    // The circle's box [50, 150] x [-50, 50] with 5 units of margin, 110 units square, fits
    // the 500 x 400 window at 400/110 pixels per unit: a 400-pixel square, which the page
    // takes 2.5 times, from y = 300 to 1300. The centre comes to (500, 800), the rim
    // 50 units = 454.5 page pixels from it.
    EXPECT_TRUE(anyNear(page, 954, 800, bluish));
    EXPECT_TRUE(anyNear(page, 500, 345, bluish));
    EXPECT_TRUE(anyNear(page, 46, 800, bluish));
    if (HasFailure())
        keepPage(page, "page_space_only.png");
}

TEST_F(PrintingTest, LegendKeepsItsOnScreenSizeRelativeToTheDrawing) {
    start();
    const ViewState& state = view().state;
    ASSERT_EQ(state.spacePaneWidth, 0);
    // On screen: the "x" at raster position (55, 23), right of the red legend line's end.
    const Framebuffer screen(view());
    int screenFirst = -1, screenLast = -1;
    for (int glY = 10; glY <= 50; ++glY)
        for (int x = 53; x <= 75; ++x) {
            const QColor c = screen.at(x, glY);
            if (c.red() > 180 && c.green() < 90 && c.blue() < 90) {
                screenFirst = screenFirst < 0 ? glY : screenFirst;
                screenLast = glY;
                break;
            }
        }
    ASSERT_GE(screenFirst, 0) << "no legend text on screen";
    const int screenHeight = screenLast - screenFirst + 1;

    // A page at a printer's resolution, where sizes in points would be far too large.
    QImage page(2400, 2400, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(1200 / 0.0254);
    page.setDotsPerMeterX(dotsPerMeter);
    page.setDotsPerMeterY(dotsPerMeter);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        paintScenePage(painter, page.rect(), doc(), state, view().font());
    }
    const double w = state.clientWidth, h = state.clientHeight;
    const double scale = std::min(page.width() / w, page.height() / h);
    const double left = (page.width() - scale * w) / 2, top = (page.height() - scale * h) / 2;
    const QRect box(
        QPoint(static_cast<int>(left + scale * 53), static_cast<int>(top + scale * (h - 50))),
        QPoint(static_cast<int>(left + scale * 75), static_cast<int>(top + scale * (h - 10))));
    const double pageHeight = redRowSpan(page, box) / scale;
    EXPECT_GT(pageHeight, screenHeight / 2.0) << "screen " << screenHeight;
    EXPECT_LT(pageHeight, screenHeight * 2.0) << "screen " << screenHeight;
    if (HasFailure())
        keepPage(page, "page_legend.png");
}

int countNear(const QImage& image, const QColor& colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - colour.red()) < 40 &&
                 std::abs(c.green() - colour.green()) < 40 &&
                 std::abs(c.blue() - colour.blue()) < 40;
        }
    return n;
}

TEST_F(PrintingTest, PageShowsThePlanePaneScaledToFitAndNoHalo) {
    start();
    ViewState state = view().state;
    state.onSize(500, 400);
    SceneObject* c = doc().addObject(KIND_C, 100, 0, 50, 0, 0, 255);
    state.selectedObject = c;
    QImage page(1000, 1600, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        paintScenePage(painter, QRectF(0, 0, 1000, 1600), doc(), state, view().font());
    }
    // Scale 2: the pane's 400 pixels of height take 800 of the page, centred vertically.
    // The circle's centre (300, 200) in the pane comes to (600, 800 - 400 + 400).
    const auto blueNear = [&](int x, int y) {
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx) {
                const QColor p = page.pixelColor(x + dx, y + dy);
                if (p.blue() > 200 && p.red() < 80 && p.green() < 80)
                    return true;
            }
        return false;
    };
    EXPECT_TRUE(blueNear(600 + 100, 800)); // rim, 50 units = 100 page pixels to the right
    EXPECT_TRUE(blueNear(600, 800 - 100)); // rim above the centre
    EXPECT_EQ(countNear(page, QColor(204, 204, 0)), 0);
    EXPECT_EQ(page.pixelColor(500, 100), QColor(Qt::white)); // above the scaled pane
    if (HasFailure())
        page.save(QString(getenv("TORVANE_ARTEFACTS") ? getenv("TORVANE_ARTEFACTS") : "/tmp") +
                  "/printed_page.png");
}

} // namespace
