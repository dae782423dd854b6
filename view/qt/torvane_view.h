// CTorvaneView: the one view of the document, split into the plane pane and the
// circle-space pane, redrawn synchronously after every change. The widget is what the rest
// of the program talks to; it draws straight into a native child window that covers it.
#pragma once

#include "scene/torvane_doc.h"
#include "ui/info_bar_rules.h"
#include "view/gl/layer_buffer.h"
#include "view/gl/plane_layer_cache.h"
#include "view/mouse_tools.h"
#include "view/qt/view_surface.h"
#include "view/view_state.h"

#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QSurfaceFormat>
#include <QWidget>

#include <functional>
#include <vector>

class CPropertiesDlg;
class SceneHistory;
class UserPrompts;

class CTorvaneView : public QWidget, private MouseToolsHost, private SurfacePainter {
    Q_OBJECT

  public:
    // Every change the view makes to the scene is recorded in history.
    CTorvaneView(CTorvaneDoc& doc, SceneHistory& history, QWidget* parent = nullptr);
    ~CTorvaneView() override;

    // RGBA with alpha, depth, stencil, double buffered, compatibility profile for
    // immediate mode; the platform's closest match is taken as it comes.
    static QSurfaceFormat requestedFormat();
    // Whether a rendering context of that format can be had; when not, tells the user with
    // the messages of a failed pixel format and returns false.
    static bool checkRenderingContext(UserPrompts& prompts,
                                      const QSurfaceFormat& format = requestedFormat());

    // Draws both panes and the frame and presents them now.
    void redraw();
    // Draws a frame without presenting it and returns it as the window would show it.
    QImage grabFramebuffer();
    // The view's rendering context current (false before the window exists), for reading
    // pixels or waiting for the renderer.
    bool makeCurrent();
    void doneCurrent();
    // The native window the view draws into and gets its input from.
    QWindow& drawingSurface() { return *surface; }
    // The scene changed through the view: redraw and let the document know.
    void noteSceneChanged();
    // The document's objects were replaced or removed: drop every reference to them.
    void forgetObjects();
    // Undo, redo or a cancelled edit changed the objects: keep only references to objects
    // still listed, and show the result.
    void onDocumentRestored();

    // Information-bar notifications, routed here because they change the selected object.
    void onInfoEditFocus(int editId, bool gained);
    void onInfoEditChanged(const QString& focusedEditText);
    InfoEditUpdate onUpdateInfoEdit(InfoField field) const;

    ViewState state;
    // The plane pane's kept static layer; tests and benchmarks switch it off for reference.
    PlaneLayerCache& planeLayers() { return planeCache; }
    const QCursor sizeCursor{Qt::SizeHorCursor};
    MouseTools& tools() { return mouseTools; }
    // The object commands of the context menu: 32803 Delete, 32811 Lock, 32804 Properties.
    void onObjectCommand(int commandId);
    // Removes the selected object as one step named stepName ("Delete", "Cut").
    void deleteSelected(const QString& stepName);
    // The menu appears only over the selected object.
    bool contextMenuAllowed() const {
        return state.selectedObject && state.selectedObject == state.hoverObject;
    }
    // How the Properties dialog is shown; true for OK. Tests drive the real dialog here.
    std::function<bool(CPropertiesDlg&)> showProperties;
    // Runs the quick merge of the pick modes (set by the application).
    std::function<void(const std::vector<MergeSelection>&, int)> quickMergeHandler;
    // Adds a circle touching the three picks (set by the application).
    std::function<void(const std::vector<SceneObject*>&)> touchingThreeHandler;
    // Shows candidate k of a merge under preview in the plane; no problem clears it.
    void showMergeCandidate(const MergeProblem* problem, int k);

  Q_SIGNALS:
    void sceneChanged();

  protected:
    // One whole frame; the context is current.
    void paintGL() override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void initializeGL() override;
    void releaseGL() override;
    void documentEdited() override;
    void beginSceneEdit(const char* name) override;
    void endSceneEdit() override;
    void cancelSceneEdit() override;
    void showSizeCursor(bool on) override;
    void quickMerge(const std::vector<MergeSelection>& picks, int mode) override;
    void circleTouchingThree(const std::vector<SceneObject*>& picks) override;

    CTorvaneDoc& doc;
    SceneHistory& history;
    MouseTools mouseTools{doc, state, *this};
    PlaneLayerCache planeCache;
    // Where each frame is drawn before it goes to the window.
    LayerBuffer frameBuffer;
    // Owned by its container, a child of this widget.
    ViewSurface* surface = nullptr;
    QWidget* surfaceContainer = nullptr;
};
