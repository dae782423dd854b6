// The clipboard, wheel and middle-button navigation, Zoom to Fit and the window-to-scene
// mapping on the real window, driven by real key, mouse and wheel events.
#include "gui_support.h"

#include "tests/support/scene_fields.h"
#include "ui/qt/properties_dialog.h"
#include "ui/qt/scene_history.h"
#include "view/command_ids.h"

#include <QClipboard>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QWheelEvent>

namespace {

class EditingComfortTest : public GuiTest {
  protected:
    QPoint at(double x, double y) { return windowPixelOf(x, y); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(&view(), k, m);
        updatePass();
    }
    void startWith(const std::function<void()>& build) {
        start();
        build();
        app->history().clear();
        view().setFocus(Qt::OtherFocusReason);
        view().redraw();
        updatePass();
    }
    void select(double x, double y) {
        drag(at(x, y), at(x, y));
        ASSERT_NE(view().state.selectedObject, nullptr);
    }
    void wheel(QPoint p, int angle) {
        QWheelEvent e(QPointF(p), view().mapToGlobal(QPointF(p)), QPoint(), QPoint(0, angle),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view(), &e);
    }
    void middle(QEvent::Type type, QPoint p) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MiddleButton;
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::MiddleButton;
        QMouseEvent e(type, QPointF(p), view().mapToGlobal(QPointF(p)), button, held, {});
        QApplication::sendEvent(&view(), &e);
    }
    // The pane pixel (y upward) of a scene point under the current mapping.
    QPointF panePixel(double x, double y) {
        const ViewState& s = view().state;
        return {s.planeZoom * x + s.planeOriginX, s.planeZoom * y + s.planeOriginY};
    }
};

TEST_F(EditingComfortTest, CopyCutAndPasteCarryTheObjectAsJson) {
    startWith([this] {
        SceneObject* c = doc().addObject(KIND_C_PRIME, 10, 20, -30.125, 12, 34, 56);
        c->width = 3;
        c->dashed = 1;
        doc().addObject(KIND_L, 200, 0, 260, 40, 0, 0, 255);
    });
    const ObjectFields original = fieldsOf(*doc().objectAt(0));
    select(10, 20);
    key(Qt::Key_C, Qt::ControlModifier);
    const QString text = QGuiApplication::clipboard()->text();
    // Plain JSON any reader understands.
    const QJsonObject copied = QJsonDocument::fromJson(text.toUtf8()).object();
    EXPECT_EQ(copied["kind"].toString(), "C'");
    EXPECT_EQ(copied["r"].toDouble(), -30.125);
    EXPECT_EQ(copied["green"].toInt(), 34);
    EXPECT_EQ(copied["dashed"].toInt(), 1);
    EXPECT_EQ(app->history().undoStack().count(), 0) << "copying changes nothing";

    key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(doc().objectCount, 3);
    SceneObject* pasted = doc().objectAt(2);
    EXPECT_EQ(view().state.selectedObject, pasted);
    // 10 right and 10 down of the original; every other field as copied.
    ObjectFields expected = original;
    std::get<1>(expected) = 20;
    std::get<2>(expected) = 10;
    std::get<3>(expected) = std::get<3>(original) + 10;
    std::get<4>(expected) = std::get<4>(original) - 10;
    EXPECT_EQ(fieldsOf(*pasted), expected);

    // Cut the line: it goes, and pasting brings back a copy beside where it was.
    select(200, 0);
    key(Qt::Key_X, Qt::ControlModifier);
    ASSERT_EQ(doc().objectCount, 2);
    key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(doc().objectCount, 3);
    const SceneObject* line = doc().objectAt(2);
    EXPECT_EQ(line->kind, KIND_L);
    EXPECT_EQ(line->x[0], 210);
    EXPECT_EQ(line->y[0], -10);
    EXPECT_EQ(line->x[1], 270);
    EXPECT_EQ(line->y[1], 30);
    EXPECT_EQ(line->blue, 255);

    // Paste, cut, paste: three steps, taken back one by one.
    QTest::keyClick(&view(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&view(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc().objectCount, 3);
    EXPECT_EQ(doc().objectAt(1)->x[0], 200) << "the cut line is back in its place";
    QTest::keyClick(&view(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc().objectCount, 2);
}

TEST_F(EditingComfortTest, PastingForeignTextDoesNothingAndSaysSo) {
    startWith([this] { doc().addObject(KIND_C, 0, 0, 5, 0, 0, 0); });
    const auto before = sceneFields(doc());
    for (const char* text : {"hello", R"({"kind":"C","x":1})", "[1,2,3]",
                             R"({"kind":"C","x":1,"y":0,"r":1,"width":0})"}) {
        QGuiApplication::clipboard()->setText(text);
        updatePass();
        key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(sceneFields(doc()), before) << text;
        EXPECT_EQ(frame().statusBar()->currentMessage(),
                  "Nothing pasted: the clipboard holds no Torvane object.")
            << text;
    }
    EXPECT_FALSE(app->lifecycle().isModified());
    EXPECT_EQ(app->history().undoStack().count(), 0);
}

TEST_F(EditingComfortTest, WheelZoomKeepsTheScenePointUnderTheMouse) {
    start();
    const QPoint mouse(437, 151);
    const ViewState& s = view().state;
    const double row = s.clientHeight - 1 - mouse.y();
    const double sx = (mouse.x() - s.planeOriginX) / static_cast<double>(s.planeZoom);
    const double sy = (row - s.planeOriginY) / static_cast<double>(s.planeZoom);
    for (int i = 0; i < 5; ++i)
        wheel(mouse, 120);
    EXPECT_NEAR(s.planeZoom, std::pow(1.25, 5), 1e-4);
    EXPECT_NEAR(panePixel(sx, sy).x(), mouse.x(), 0.5);
    EXPECT_NEAR(panePixel(sx, sy).y(), row, 0.5);
    for (int i = 0; i < 80; ++i)
        wheel(mouse, -120);
    EXPECT_FLOAT_EQ(s.planeZoom, 0.05f) << "the zoom tool's lower limit holds for the wheel";
    EXPECT_NEAR(panePixel(sx, sy).x(), mouse.x(), 0.5);
}

TEST_F(EditingComfortTest, ZoomToFitShowsEveryObjectAndTheMiddleButtonPans) {
    startWith([this] {
        doc().addObject(KIND_C, 2000, 1500, 400, 255, 0, 0);
        doc().addObject(KIND_L, -900, -700, -800, -650, 0, 0, 255);
    });
    trigger(cmd::kShowSpace); // the plane pane is now half the window
    key(Qt::Key_0, Qt::ControlModifier);
    const ViewState& s = view().state;
    for (auto [x, y] : {std::pair{1600.0, 1100.0}, std::pair{2400.0, 1900.0},
                        std::pair{-900.0, -700.0}, std::pair{-800.0, -650.0}}) {
        const QPointF p = panePixel(x, y);
        EXPECT_GE(p.x(), 0) << x;
        EXPECT_LT(p.x(), s.splitX() - 2) << x;
        EXPECT_GE(p.y(), 0) << y;
        EXPECT_LT(p.y(), s.clientHeight) << y;
    }
    // The circle is drawn where the mapping says: its red rim is inside the frame.
    view().redraw();
    Framebuffer fb(view());
    bool red = false;
    for (int x = 0; x < s.splitX() && !red; ++x)
        for (int y = 0; y < fb.height() && !red; ++y)
            red = fb.at(x, y).red() > 200 && fb.at(x, y).green() < 60;
    if (!red)
        fb.keep("zoom_to_fit");
    EXPECT_TRUE(red);

    // The middle button pans with the select tool, and moves no object.
    const auto objects = sceneFields(doc());
    const int ox = s.planeOriginX, oy = s.planeOriginY;
    middle(QEvent::MouseButtonPress, QPoint(100, 100));
    middle(QEvent::MouseMove, QPoint(130, 80));
    middle(QEvent::MouseButtonRelease, QPoint(130, 80));
    EXPECT_EQ(s.planeOriginX, ox + 30);
    EXPECT_EQ(s.planeOriginY, oy + 20);
    EXPECT_EQ(sceneFields(doc()), objects);

    // A double click with the zoom tool fits again.
    trigger(cmd::kToolZoom);
    QTest::mouseDClick(&view(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(s.planeOriginX, ox);
    EXPECT_EQ(s.planeOriginY, oy);
}

TEST_F(EditingComfortTest, AClickOnTheDrawnAxesCreatesAtZero) {
    start();
    view().redraw();
    Framebuffer fb(view());
    // Find the rows and columns the axes are drawn in, away from their crossing.
    const auto black = [&](int x, int y) {
        const QColor c = fb.at(x, y);
        return c.red() < 40 && c.green() < 40 && c.blue() < 40;
    };
    int axisRow = -1, axisColumn = -1;
    for (int y = 0; y < fb.height() && axisRow < 0; ++y)
        if (black(400, y))
            axisRow = y;
    for (int x = 5; x < fb.width() && axisColumn < 0; ++x)
        if (black(x, 400))
            axisColumn = x;
    ASSERT_GE(axisRow, 0);
    ASSERT_GE(axisColumn, 0);
    trigger(cmd::kKindC);
    const QPoint click(axisColumn, fb.height() - 1 - axisRow);
    drag(click, click);
    ASSERT_EQ(doc().objectCount, 1);
    EXPECT_EQ(doc().objectAt(0)->x[0], 0);
    EXPECT_EQ(doc().objectAt(0)->y[0], 0);
}

TEST_F(EditingComfortTest, PropertiesTypeListShowsEveryNameWhole) {
    start();
    CPropertiesDlg dialog(0, 0, 0, KIND_C_PRIME, 1, &frame());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QComboBox* list = dialog.typeList;
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = false;
    const QRect textArea = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                         QStyle::SC_ComboBoxEditField, list);
    for (int i = 0; i < list->count(); ++i)
        EXPECT_GE(textArea.width(), list->fontMetrics().horizontalAdvance(list->itemText(i)))
            << list->itemText(i).toStdString();
    EXPECT_LE(list->geometry().right(), dialog.size().width()) << "still inside the dialog";
}

} // namespace
