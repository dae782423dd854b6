// Fakes and fixtures for the GUI tests.
#include "gui_support.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

QString FakePrompts::openFileName(QWidget*, const QString& filter, const QString& folder) {
    asked.push_back({"open", {}, {}, filter, {}, folder});
    if (fileAnswers.empty())
        return {};
    QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

QString FakePrompts::saveFileName(QWidget*, const QString& title, const QString& filter,
                                  const QString& defaultSuffix, const QString& initialName,
                                  QString* chosenFilter) {
    asked.push_back({"save", title, {}, filter, defaultSuffix, initialName});
    if (fileAnswers.empty())
        return {};
    QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    if (chosenFilter) {
        *chosenFilter = filter.split(";;").first();
        if (!filterAnswers.empty()) {
            *chosenFilter = filterAnswers.front();
            filterAnswers.pop_front();
        }
    }
    return answer;
}

void FakePrompts::message(QWidget*, const QString& caption, const QString& text, Icon) {
    asked.push_back({"message", caption, text, {}, {}, {}});
}

UserPrompts::SaveAnswer FakePrompts::askSaveChanges(QWidget*, const QString& caption,
                                                    const QString& question) {
    asked.push_back({"ask", caption, question, {}, {}, {}});
    if (saveAnswers.empty())
        return SaveAnswer::Cancel;
    SaveAnswer a = saveAnswers.front();
    saveAnswers.pop_front();
    return a;
}

int FakePrompts::count(const QString& kind) const {
    int n = 0;
    for (const PromptRecord& r : asked)
        n += r.kind == kind;
    return n;
}

void GuiTest::start(const QStringList& args) {
    // Each test starts without recent files from an earlier one.
    QSettings("Local AppWizard-Generated Applications", "Torvane").clear();
    app = std::make_unique<CTorvaneApp>(prompts);
    ASSERT_EQ(app->initInstance(QStringList{"torvane"} + args), CTorvaneApp::StartResult::Running);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app->frame()));
    app->frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(app->frame()));
    updatePass();
}

void GuiTest::TearDown() {
    if (app && app->frame()) {
        // Nothing may be asked while the test's window goes away.
        app->lifecycle().setModified(false);
        app->frame()->close();
    }
    app.reset();
    if (!tempDir.isEmpty())
        QDir(tempDir).removeRecursively();
}

void GuiTest::trigger(int commandId) {
    QAction* a = frame().action(commandId);
    ASSERT_NE(a, nullptr) << commandId;
    updatePass();
    ASSERT_TRUE(a->isEnabled()) << commandId;
    a->trigger();
    updatePass();
}

void GuiTest::sendMouse(QEvent::Type type, QPoint p, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(p), view().mapToGlobal(QPointF(p)), button, held, {});
    QApplication::sendEvent(&view(), &e);
}

void GuiTest::drag(QPoint from, QPoint to) {
    sendMouse(QEvent::MouseMove, from, Qt::NoButton);
    sendMouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
    sendMouse(QEvent::MouseMove, to, Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    updatePass();
}

QPoint GuiTest::windowPixelOf(double x, double y) {
    const Point2 p = view().state.planePixel(x, y);
    return QPoint(static_cast<int>(p.x), view().state.clientHeight - 1 - static_cast<int>(p.y));
}

QString GuiTest::tempPath(const QString& name) {
    if (tempDir.isEmpty()) {
        QTemporaryDir dir;
        dir.setAutoRemove(false);
        tempDir = dir.path();
    }
    return tempDir + "/" + name;
}

Framebuffer::Framebuffer(CTorvaneView& view)
    : image(view.grabFramebuffer().convertToFormat(QImage::Format_RGB32)) {}

QColor Framebuffer::at(int x, int glY) const {
    return image.pixelColor(x, image.height() - 1 - glY);
}

bool Framebuffer::hasNear(int x, int glY, const QColor& colour, int radius) const {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int px = x + dx, py = glY + dy;
            if (px < 0 || py < 0 || px >= image.width() || py >= image.height())
                continue;
            const QColor c = at(px, py);
            if (std::abs(c.red() - colour.red()) <= 3 &&
                std::abs(c.green() - colour.green()) <= 3 &&
                std::abs(c.blue() - colour.blue()) <= 3)
                return true;
        }
    return false;
}

void Framebuffer::keep(const char* name) const {
    const char* dir = std::getenv("TORVANE_ARTEFACTS");
    const QString folder = dir ? QString(dir) : QDir::tempPath();
    QDir().mkpath(folder);
    const QString path = folder + "/" + name + ".png";
    image.save(path);
    std::fprintf(stderr, "framebuffer kept as %s\n", qPrintable(path));
}

std::string describe(const QColor& c) {
    return "(" + std::to_string(c.red()) + ", " + std::to_string(c.green()) + ", " +
           std::to_string(c.blue()) + ")";
}
