// The view's rendering context, resize handling and the synchronous redraw.
#include "view/qt/torvane_view.h"

#include "ui/qt/properties_dialog.h"
#include "ui/qt/scene_history.h"
#include "ui/qt/user_prompts.h"
#include "view/gl/gl_panes.h"
#include "view/gl/space_drawing.h"
#include "view/qt/font_glyphs.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QMenu>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QResizeEvent>

#include <GL/gl.h>

#include <algorithm>

CTorvaneView::CTorvaneView(CTorvaneDoc& document, SceneHistory& sceneHistory, QWidget* parent)
    : QWidget(parent), doc(document), history(sceneHistory) {
    // The window shows no alpha: with an alpha channel a compositing window system would let
    // the main window show through where the translucent cones left alpha below one.
    QSurfaceFormat opaque = requestedFormat();
    opaque.setAlphaBufferSize(0);
    surface = new ViewSurface(opaque, *this, *this);
    surfaceContainer = QWidget::createWindowContainer(surface, this);
    surface->setCursor(cursor());
    setMinimumSize(50, 50);
    // A click in the view takes the focus from an information-bar edit, so text typed for one
    // object is never read back into the next one selected.
    setFocusPolicy(Qt::ClickFocus);
    // Hovering highlights objects, so moves arrive without a button held.
    setMouseTracking(true);
    showProperties = [](CPropertiesDlg& d) { return d.exec() == QDialog::Accepted; };
}

CTorvaneView::~CTorvaneView() {
    // The surface outlives this part of the object: the objects it holds for the view go now.
    surface->releaseContext();
}

QSurfaceFormat CTorvaneView::requestedFormat() {
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setRedBufferSize(8);
    f.setGreenBufferSize(8);
    f.setBlueBufferSize(8);
    f.setAlphaBufferSize(8);
    f.setDepthBufferSize(24); // the closest common match to the 64 bits asked for
    f.setStencilBufferSize(8);
    f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return f;
}

bool CTorvaneView::checkRenderingContext(UserPrompts& prompts, const QSurfaceFormat& format) {
    QOpenGLContext context;
    context.setFormat(format);
    QString failure;
    if (!context.create()) {
        failure = "ChoosePixelFormat failed";
    } else {
        QOffscreenSurface surface;
        surface.setFormat(context.format());
        surface.create();
        const bool current = context.makeCurrent(&surface);
        // Immediate mode needs a compatibility context.
        if (!current || context.format().profile() == QSurfaceFormat::CoreProfile)
            failure = "SetPixelFormat failed";
        if (current)
            context.doneCurrent();
    }
    if (failure.isEmpty())
        return true;
    prompts.message(nullptr, "Error", failure, UserPrompts::Icon::Error);
    prompts.message(QApplication::focusWidget(), "Error", "SetPixelformat Failed!",
                    UserPrompts::Icon::Error);
    return false;
}

void CTorvaneView::initializeGL() {
    state.fontListBase = createFontLists(fontGlyphBitmaps(font()));
}

void CTorvaneView::releaseGL() {
    if (state.fontListBase != 0)
        glDeleteLists(state.fontListBase, kFontListCount);
    state.fontListBase = 0;
    planeCache.release();
    frameBuffer.release();
}

void CTorvaneView::resizeEvent(QResizeEvent* event) {
    state.onSize(event->size().width(), event->size().height());
    surfaceContainer->setGeometry(rect());
}

bool CTorvaneView::event(QEvent* event) {
    // The surface under the mouse shows the view's cursor (the sizing one over the splitter).
    if (event->type() == QEvent::CursorChange)
        surface->setCursor(cursor());
    return QWidget::event(event);
}

bool CTorvaneView::makeCurrent() {
    return surface->makeCurrent();
}

void CTorvaneView::doneCurrent() {
    surface->doneCurrent();
}

QImage CTorvaneView::grabFramebuffer() {
    return surface->grabFrame();
}

void CTorvaneView::paintGL() {
    // Each frame is drawn offscreen and its colour copied into the window. The rasteriser
    // settles pixels lying exactly on a polygon's edge by the buffer's row order, which is
    // not the window's; offscreen, every frame keeps the pixels it always had. The plane's
    // kept layer also copies fastest into a buffer of its own formats.
    const bool offscreen =
        frameBuffer.ensure(std::max(state.clientWidth, 1), std::max(state.clientHeight, 1));
    frameBuffer.bind();
    if (state.showSpace) {
        applyPaneSetup(spaceSetup(state));
        setSpaceState();
        drawSpace(doc, state);
    }
    if (state.showPlane) {
        applyPaneSetup(planeSetup(state));
        setPlaneState();
        if (!state.showSpace)
            clearColourBuffer();
        planeCache.draw(doc, state, frameBuffer.name());
    } else {
        setPlaneState();
    }
    drawFrame(state);
    if (offscreen)
        frameBuffer.copyColourTo(0);
}

void CTorvaneView::redraw() {
    surface->renderNow();
}

void CTorvaneView::noteSceneChanged() {
    redraw();
    Q_EMIT sceneChanged();
}

void CTorvaneView::forgetObjects() {
    state.forgetAllObjects();
    mouseTools.forgetObjects();
    redraw();
}

void CTorvaneView::onDocumentRestored() {
    if (!doc.contains(state.selectedObject))
        state.selectedObject = nullptr;
    if (!doc.contains(state.hoverObject))
        state.hoverObject = nullptr;
    mouseTools.dropUnlistedPicks();
    noteSceneChanged();
}

void CTorvaneView::documentEdited() {
    history.noteOpenChange();
    noteSceneChanged();
}

void CTorvaneView::beginSceneEdit(const char* name) {
    history.begin(name);
}

void CTorvaneView::endSceneEdit() {
    history.commit();
}

void CTorvaneView::cancelSceneEdit() {
    history.cancel();
}

namespace {

// The step name of typing into an information-bar field.
QString fieldEditName(int editId, const SceneObject& obj) {
    switch (infoFieldOfEdit(editId).value_or(InfoField::X)) {
    case InfoField::X:
        return "Edit X";
    case InfoField::Y:
        return "Edit Y";
    case InfoField::RadiusOrX2:
        return isLineKind(obj.kind) ? "Edit X2" : "Edit Radius";
    case InfoField::Y2:
        return "Edit Y2";
    }
    return QString();
}

} // namespace

void CTorvaneView::onInfoEditFocus(int editId, bool gained) {
    // Everything typed into one field while it had the focus is one step.
    if (!gained && state.editingField != 0)
        history.commit();
    state.editingField = gained ? editId : 0;
}

void CTorvaneView::onInfoEditChanged(const QString& focusedEditText) {
    if (state.currentTool != cmd::kToolSelect || !state.selectedObject)
        return;
    if (state.editingField != 0) {
        const QString name = fieldEditName(state.editingField, *state.selectedObject);
        if (!history.isOpen() || history.openName() != name)
            history.begin(name);
    }
    if (applyInfoEditText(focusedEditText.toStdString(), state.currentTool, state.editingField,
                          state.selectedObject)) {
        history.noteOpenChange();
        Q_EMIT sceneChanged();
    }
    redraw();
}

InfoEditUpdate CTorvaneView::onUpdateInfoEdit(InfoField field) const {
    return infoEditUpdate(field, state.currentTool, state.editingField, state.selectedObject);
}

namespace {

int buttonsOf(const QMouseEvent* event) {
    return event->buttons() & Qt::LeftButton ? kLeftButton : 0;
}

} // namespace

void CTorvaneView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (mouseTools.onMiddleButtonMove(p.x(), p.y()))
        return;
    mouseTools.onMouseMove(buttonsOf(event), p.x(), p.y());
}

void CTorvaneView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::MiddleButton)
        return mouseTools.onMiddleButtonDown(p.x(), p.y());
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    mouseTools.onLeftButtonDown(buttonsOf(event), p.x(), p.y());
}

void CTorvaneView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::MiddleButton)
        return mouseTools.onMiddleButtonUp();
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    mouseTools.onLeftButtonUp(buttonsOf(event), p.x(), p.y());
}

void CTorvaneView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    // With the zoom tool the second click shows the whole scene instead of starting a drag.
    if (event->button() == Qt::LeftButton && state.currentTool == cmd::kToolZoom)
        return mouseTools.onDoubleClick(p.x(), p.y());
    mousePressEvent(event);
}

void CTorvaneView::wheelEvent(QWheelEvent* event) {
    // One notch is 120 eighths of a degree; finer wheels send parts of it.
    const double steps = event->angleDelta().y() / 120.0;
    const QPoint p = event->position().toPoint();
    if (steps != 0)
        mouseTools.onWheel(p.x(), p.y(), steps);
    event->accept();
}

void CTorvaneView::showSizeCursor(bool on) {
    if (on)
        setCursor(sizeCursor);
    else
        unsetCursor();
}

void CTorvaneView::quickMerge(const std::vector<MergeSelection>& picks, int mode) {
    if (quickMergeHandler)
        quickMergeHandler(picks, mode);
}

void CTorvaneView::circleTouchingThree(const std::vector<SceneObject*>& picks) {
    if (touchingThreeHandler)
        touchingThreeHandler(picks);
}

void CTorvaneView::showMergeCandidate(const MergeProblem* problem, int k) {
    if (problem)
        state.mergeOverlay = mergeOverlayFor(*problem, k);
    else
        state.mergeOverlay.reset();
    redraw();
}

void CTorvaneView::contextMenuEvent(QContextMenuEvent* event) {
    if (!contextMenuAllowed())
        return;
    QMenu menu(this);
    QAction* del = menu.addAction("Delete");
    QAction* lock = menu.addAction("Lock");
    lock->setCheckable(true);
    lock->setChecked(state.selectedObject->pinned != 0);
    menu.addSeparator();
    QAction* properties = menu.addAction("Properties");
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == del)
        onObjectCommand(cmd::kObjectDelete);
    else if (chosen == lock)
        onObjectCommand(cmd::kObjectLock);
    else if (chosen == properties)
        onObjectCommand(cmd::kObjectProperties);
}

void CTorvaneView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && mouseTools.cancelDrag())
        return;
    QWidget::keyPressEvent(event);
}

void CTorvaneView::deleteSelected(const QString& stepName) {
    SceneObject* obj = state.selectedObject;
    if (!obj || mouseTools.dragging)
        return;
    history.apply(stepName, [&] { doc.removeObject(obj); });
    // Hover, selection and any pick sequence must not outlive the object.
    state.forgetAllObjects();
    mouseTools.forgetObjects();
    noteSceneChanged();
}

void CTorvaneView::onObjectCommand(int commandId) {
    SceneObject* obj = state.selectedObject;
    if (!obj)
        return;
    if (commandId == cmd::kObjectDelete) {
        deleteSelected("Delete");
    } else if (commandId == cmd::kObjectLock) {
        // Objects are pinned only by a merge; the item only ever unpins. Unlocking an
        // unlocked object changes nothing, so it is no step and no unsaved change.
        if (obj->pinned == 0)
            return;
        history.apply("Lock", [&] { obj->pinned = 0; });
        noteSceneChanged();
    } else if (commandId == cmd::kObjectProperties) {
        CPropertiesDlg dialog(obj->red, obj->green, obj->blue, obj->kind, obj->width, this);
        if (!showProperties(dialog))
            return;
        history.apply("Properties", [&] {
            obj->setColour(dialog.red, dialog.green, dialog.blue);
            obj->setKind(dialog.kind);
            obj->width = dialog.width;
        });
        noteSceneChanged();
    }
}
