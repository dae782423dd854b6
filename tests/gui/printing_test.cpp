// The printed page: the plane drawing scaled into the page, without the halos.
#include "gui_support.h"

#include "app/scene_printing.h"

#include <QPainter>

namespace {

class PrintingTest : public GuiTest {};

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
        paintScenePage(painter, QRectF(0, 0, 1000, 1600), doc(), state);
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
