// Support for tests of the real main window: prompts answered by the test, the started
// application, and pixel checks that keep the framebuffer when they fail.
#pragma once

#include "app/document_lifecycle.h"
#include "app/main_frame.h"
#include "app/torvane_app.h"
#include "ui/qt/user_prompts.h"
#include "view/qt/torvane_view.h"

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <memory>

struct PromptRecord {
    QString kind; // "open", "save", "message", "ask"
    QString caption;
    QString text;
    QString filter;
    QString suffix;
    QString initialName; // for open dialogs: the folder it starts in
};

class FakePrompts : public UserPrompts {
  public:
    QString openFileName(QWidget*, const QString& filter, const QString& folder) override;
    QString saveFileName(QWidget*, const QString& title, const QString& filter,
                         const QString& defaultSuffix, const QString& initialName,
                         QString* chosenFilter) override;
    void message(QWidget*, const QString& caption, const QString& text, Icon) override;
    SaveAnswer askSaveChanges(QWidget*, const QString& caption, const QString& question) override;

    std::deque<QString> fileAnswers;    // for open and save dialogs; empty = cancel
    std::deque<QString> filterAnswers;  // filter chosen in a save dialog; else the first
    std::deque<SaveAnswer> saveAnswers; // for the unsaved-changes question
    std::vector<PromptRecord> asked;
    int count(const QString& kind) const;
};

class GuiTest : public ::testing::Test {
  protected:
    // Starts the application as "torvane ARGS..." and waits for the window.
    void start(const QStringList& args = {});
    void TearDown() override;

    CMainFrame& frame() { return *app->frame(); }
    CTorvaneView& view() { return *app->view(); }
    CTorvaneDoc& doc() { return app->document(); }
    void updatePass() { frame().runUpdatePass(); }
    void trigger(int commandId);
    // Mouse events as the window system delivers them to the view, positions in view pixels.
    void sendMouse(QEvent::Type type, QPoint p, Qt::MouseButtons held);
    // Hover, press, one move and release, then the update pass.
    void drag(QPoint from, QPoint to);
    // The view pixel (y downward) of a scene point.
    QPoint windowPixelOf(double x, double y);
    // A file under a fresh temporary folder of this test.
    QString tempPath(const QString& name);

    FakePrompts prompts;
    std::unique_ptr<CTorvaneApp> app;
    QString tempDir;
};

// The rendered view with y counted upward from the bottom, as the drawing code counts it.
class Framebuffer {
  public:
    explicit Framebuffer(CTorvaneView& view);
    QColor at(int x, int glY) const;
    // True when any pixel within `radius` of (x, glY) has the colour, each channel within 3.
    bool hasNear(int x, int glY, const QColor& colour, int radius = 1) const;
    int width() const { return image.width(); }
    int height() const { return image.height(); }
    const QImage& pixels() const { return image; }
    // Saves the image under the artefact folder for a failed check.
    void keep(const char* name) const;

  private:
    QImage image;
};

std::string describe(const QColor& c);
