// The view's input arrives through the native window it draws into: what the window system
// delivers there must reach the mouse tools, the context menu, the focus, the cursor and the
// keys exactly as events given to the view widget do; what the window shows must be the
// frame the view reads back; and the view moved into another window keeps both.
#include "gui_support.h"

#include "app/object_info_bar.h"
#include "view/command_ids.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <functional>

namespace {

class ViewSurfaceTest : public GuiTest {
  protected:
    QWindow& surface() { return view().drawingSurface(); }
    // Through the window system's path: double clicks are recognised as for real input.
    void move(QPoint p) { QTest::mouseMove(&surface(), p); }
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mousePress(&surface(), b, {}, p);
    }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseRelease(&surface(), b, {}, p);
    }
    // The toolkit drops a move to where the mouse already is (also after an earlier test),
    // and the select tool picks what is hovered: arrive from a pixel away.
    void hover(QPoint p) {
        move(p + QPoint(1, 0));
        move(p);
    }
    void click(QPoint p) {
        hover(p);
        press(p);
        release(p);
    }
    // Runs `act` on the next popup menu once it is open; forgotten when the test ends.
    void onNextMenu(std::function<void(QMenu&)> act) {
        QTimer::singleShot(100, &menuWatch, [act] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
                act(*menu);
        });
    }
    QObject menuWatch;

    // Back to the first zoom and origin, to reach the same view again by another way.
    void resetPlaneView() {
        view().state.planeZoom = 1;
        view().state.planeOriginX = view().state.planeOriginY = 200;
    }
    void expectPlaneViewAsNow(const ViewState& other) {
        EXPECT_EQ(other.planeZoom, view().state.planeZoom);
        EXPECT_EQ(other.planeOriginX, view().state.planeOriginX);
        EXPECT_EQ(other.planeOriginY, view().state.planeOriginY);
    }
};

TEST_F(ViewSurfaceTest, HoverSelectAndDragThroughTheWindowMoveTheObject) {
    start();
    SceneObject* circle = doc().addObject(KIND_C, 0, 0, 40, 255, 0, 0);
    view().redraw();
    hover(windowPixelOf(0, 0));
    EXPECT_EQ(view().state.hoverObject, circle);
    EXPECT_EQ(view().state.selectedObject, nullptr);
    press(windowPixelOf(0, 0));
    EXPECT_EQ(view().state.selectedObject, circle);
    move(windowPixelOf(30, 20));
    // One scene unit per pixel at the first zoom.
    EXPECT_EQ(circle->x[0], 30);
    EXPECT_EQ(circle->y[0], 20);
    release(windowPixelOf(30, 20));
    EXPECT_FALSE(view().tools().dragging);
    EXPECT_TRUE(app->lifecycle().isModified());
}

TEST_F(ViewSurfaceTest, DoubleClickThroughTheWindowActsAsOnTheWidget) {
    start();
    // The creation tool makes an object on every press the view gets, so the count shows
    // whether the press that made the double click was passed on as well.
    trigger(cmd::kKindC);
    const QPoint at = windowPixelOf(50, 50);
    const int before = doc().objectCount;
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
        sendMouse(type, at,
                  type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::LeftButton);
    const int byWidget = doc().objectCount - before;
    ASSERT_GT(byWidget, 0);
    QTest::mouseDClick(&surface(), Qt::LeftButton, {}, windowPixelOf(-80, -40));
    EXPECT_EQ(doc().objectCount - before, 2 * byWidget);

    // With the zoom tool the double click shows the whole scene, as the command does.
    trigger(cmd::kToolZoom);
    QTest::mouseDClick(&surface(), Qt::LeftButton, {}, windowPixelOf(0, 0));
    const ViewState byDoubleClick = view().state;
    resetPlaneView();
    trigger(cmd::kViewZoomToFit);
    EXPECT_NE(byDoubleClick.planeZoom, 1.0f);
    expectPlaneViewAsNow(byDoubleClick);
}

TEST_F(ViewSurfaceTest, RightClickOnTheWindowOpensTheMenuOnlyOverTheSelectedObject) {
    start();
    doc().addObject(KIND_C, 0, 0, 40, 0, 255, 0);
    click(windowPixelOf(0, 0));
    ASSERT_NE(view().state.selectedObject, nullptr);

    const QPoint away = windowPixelOf(-150, 100);
    hover(away);
    press(away, Qt::RightButton);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu away from the object";
    release(away, Qt::RightButton);

    QStringList items;
    onNextMenu([&items](QMenu& menu) {
        for (QAction* a : menu.actions())
            items << (a->isSeparator() ? "-" : a->text());
        // The first item, chosen with the keyboard as a user may.
        QTest::keyClick(&menu, Qt::Key_Down);
        QTest::keyClick(&menu, Qt::Key_Return);
    });
    hover(windowPixelOf(0, 0));
    press(windowPixelOf(0, 0), Qt::RightButton);
    release(windowPixelOf(0, 0), Qt::RightButton);
    EXPECT_EQ(items, QStringList({"Delete", "Lock", "-", "Properties"}));
    EXPECT_EQ(doc().objectCount, 0) << "Delete chosen in the menu";
    EXPECT_EQ(view().state.selectedObject, nullptr);
}

TEST_F(ViewSurfaceTest, ClickInTheWindowTakesTheFocusAndKeysFollowIt) {
    start();
    SceneObject* circle = doc().addObject(KIND_C, 0, 0, 40, 255, 0, 0);
    view().state.selectedObject = circle; // its edits are enabled
    updatePass();
    QLineEdit* edit = frame().infoBar()->edit(InfoField::X);
    edit->setFocus(Qt::OtherFocusReason);
    QTest::qWait(20);
    ASSERT_TRUE(edit->hasFocus());

    hover(windowPixelOf(0, 0));
    press(windowPixelOf(0, 0));
    EXPECT_TRUE(view().hasFocus()) << "a click in the view takes the focus from the edit";
    move(windowPixelOf(40, 0));
    EXPECT_EQ(circle->x[0], 40);
    // Escape typed while the window has the keyboard ends the drag and puts the object back.
    QTest::keyClick(&surface(), Qt::Key_Escape);
    EXPECT_FALSE(view().tools().dragging);
    EXPECT_EQ(circle->x[0], 0);
    release(windowPixelOf(40, 0));
    EXPECT_EQ(circle->x[0], 0);
}

TEST_F(ViewSurfaceTest, WindowShowsTheSizingCursorOverTheSplitterOnly) {
    start();
    trigger(cmd::kShowSpace);
    const ViewState& s = view().state;
    const int y = s.clientHeight / 2;
    move({s.splitX(), y});
    EXPECT_EQ(surface().cursor().shape(), Qt::SizeHorCursor);
    move({s.splitX() / 3, y});
    EXPECT_EQ(surface().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ViewSurfaceTest, WheelOnTheWindowZoomsAsOnTheWidget) {
    start();
    const QPoint at = windowPixelOf(100, 50);
    const auto wheel = [&](QObject* receiver) {
        QWheelEvent e(at, view().mapToGlobal(at), {}, {0, 240}, Qt::NoButton, {}, Qt::NoScrollPhase,
                      false);
        QApplication::sendEvent(receiver, &e);
    };
    wheel(&surface());
    const ViewState throughWindow = view().state;
    resetPlaneView();
    wheel(&view());
    EXPECT_GT(throughWindow.planeZoom, 1.0f);
    expectPlaneViewAsNow(throughWindow);
}

TEST_F(ViewSurfaceTest, WindowShowsTheFrameReadBackWithBothPanes) {
    start();
    SceneObject* red = doc().addObject(KIND_C, 0, 0, 60, 255, 0, 0);
    doc().addObject(KIND_L, -100, -30, 100, 10, 0, 0, 255);
    doc().addObject(KIND_C_PRIME, 80, 40, -30, 0, 160, 0);
    trigger(cmd::kShowSpace);
    view().state.selectedObject = red;
    view().redraw();
    // What the X server holds for the window, after the presented frame.
    const QImage shown = surface()
                             .screen()
                             ->grabWindow(surface().winId())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    const Framebuffer drawn(view());
    ASSERT_EQ(shown.size(), drawn.pixels().size());
    int differing = 0, coneRed = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            differing += shown.pixel(x, y) != drawn.pixels().pixel(x, y);
            const QColor c = drawn.pixels().pixelColor(x, y);
            coneRed += c.red() > 150 && c.green() < 110 && c.blue() < 110;
        }
    EXPECT_GT(coneRed, 100) << "the translucent red cone in circle space";
    EXPECT_EQ(differing, 0);
    if (differing != 0) {
        drawn.keep("surface_read_back");
        shown.save(
            QString(std::getenv("TORVANE_ARTEFACTS") ? std::getenv("TORVANE_ARTEFACTS") : "/tmp") +
            "/surface_shown.png");
    }
}

TEST_F(ViewSurfaceTest, ViewMovedIntoAnotherWindowAndBackKeepsDrawingAndItsInput) {
    start();
    SceneObject* circle = doc().addObject(KIND_C, 0, 0, 40, 255, 0, 0);
    const auto showsCircle = [&] {
        const Point2 rim = view().state.planePixel(40, 0);
        return Framebuffer(view()).hasNear(static_cast<int>(rim.x), static_cast<int>(rim.y),
                                           QColor(255, 0, 0));
    };
    QWidget other;
    other.resize(640, 480);
    view().setParent(&other);
    view().setGeometry(0, 0, 640, 480);
    view().show();
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    EXPECT_EQ(view().state.clientWidth, 640);
    EXPECT_TRUE(showsCircle()) << "drawn in the other window";
    hover(windowPixelOf(0, 0));
    EXPECT_EQ(view().state.hoverObject, circle) << "input in the other window";

    frame().setCentralWidget(&view());
    view().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame()));
    view().state.hoverObject = nullptr;
    EXPECT_TRUE(showsCircle()) << "drawn back in the main window";
    hover(windowPixelOf(0, 0));
    EXPECT_EQ(view().state.hoverObject, circle);
}

} // namespace
