// New, Open, Save, closing and exporting, with the user's answers given by the test.
#include "gui_support.h"

#include "scene/tvn_file.h"
#include "view/command_ids.h"

#include <QFile>
#include <QFileInfo>

namespace {

class DocumentFlowTest : public GuiTest {
  protected:
    void makeUnsavedChange() {
        doc().addObject(KIND_C, 1, 2, 3, 0, 255, 0);
        app->lifecycle().setModified(true);
    }
    QString writeScene(const QString& name, int circles) {
        CTorvaneDoc scene;
        for (int i = 0; i < circles; ++i)
            scene.addObject(KIND_C, i, i, 10, 0, 0, 255);
        const QString path = tempPath(name);
        std::string error;
        EXPECT_TRUE(saveSceneFile(path.toStdString(), scene, &error)) << error;
        return path;
    }
};

TEST_F(DocumentFlowTest, NewAsksBeforeDiscardingUnsavedWorkAndCancelKeepsIt) {
    start();
    makeUnsavedChange();
    prompts.saveAnswers = {UserPrompts::SaveAnswer::Cancel};
    trigger(cmd::kFileNew);
    EXPECT_EQ(prompts.count("ask"), 1);
    EXPECT_EQ(prompts.asked.back().text, "Save changes to Untitled?");
    EXPECT_EQ(prompts.asked.back().caption, "Torvane");
    EXPECT_EQ(doc().objectCount, 1);

    prompts.saveAnswers = {UserPrompts::SaveAnswer::Discard};
    trigger(cmd::kFileNew);
    EXPECT_EQ(doc().objectCount, 0);
    EXPECT_FALSE(app->lifecycle().isModified());
}

TEST_F(DocumentFlowTest, SavingFromTheQuestionWritesTheFileBeforeTheSceneIsEmptied) {
    start();
    makeUnsavedChange();
    const QString path = tempPath("kept.tvn");
    prompts.saveAnswers = {UserPrompts::SaveAnswer::Save};
    prompts.fileAnswers = {path};
    trigger(cmd::kFileNew);
    EXPECT_EQ(prompts.asked.back().kind, "save");
    EXPECT_EQ(prompts.asked.back().suffix, "tvn");
    EXPECT_EQ(prompts.asked.back().filter, "TVNFile(*.tvn)");
    CTorvaneDoc saved;
    std::string error;
    ASSERT_TRUE(loadSceneFile(path.toStdString(), saved, &error)) << error;
    EXPECT_EQ(saved.objectCount, 1);
    EXPECT_EQ(doc().objectCount, 0);
}

TEST_F(DocumentFlowTest, NothingIsAskedWhenNothingChanged) {
    start();
    trigger(cmd::kFileNew);
    EXPECT_EQ(prompts.count("ask"), 0);
}

TEST_F(DocumentFlowTest, OpeningADamagedFileKeepsTheOpenSceneAndSaysSo) {
    const QString good = writeScene("good.tvn", 2);
    start({good});
    EXPECT_EQ(doc().objectCount, 2);
    EXPECT_EQ(frame().windowTitle(), "good.tvn[*] - Torvane");
    const QString bad = tempPath("bad.tvn");
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("\x05\x00\x00\x00\x00\x00", 6)); // five records announced, none there
    f.close();
    prompts.fileAnswers = {bad};
    trigger(cmd::kFileOpen);
    ASSERT_EQ(prompts.count("message"), 1);
    // The first line as ever, the loader's reason beneath: file, byte offset, what was found.
    EXPECT_EQ(prompts.asked.back().text, "Unexpected file format.\n" + bad +
                                             ": byte 0: object count 5 does not fit in the file");
    EXPECT_EQ(doc().objectCount, 2);
    EXPECT_EQ(app->lifecycle().path(), good);
    EXPECT_EQ(frame().windowTitle(), "good.tvn[*] - Torvane");
}

TEST_F(DocumentFlowTest, OpeningAFileWithTrailingBytesOrClampedValuesWarnsOnce) {
    start();
    const QString path = writeScene("tail.tvn", 1);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    bytes[8] = '\x2c'; // red 300: the low byte of 0x012c, the high one next
    bytes[9] = '\x01';
    bytes.append("12345", 5);
    f.seek(0);
    f.write(bytes);
    f.close();
    prompts.fileAnswers = {path};
    trigger(cmd::kFileOpen);
    EXPECT_EQ(doc().objectCount, 1);
    EXPECT_EQ(app->lifecycle().path(), path);
    ASSERT_EQ(prompts.count("message"), 1);
    EXPECT_EQ(prompts.asked.back().text,
              "Opened tail.tvn.\n5 bytes after the last object were ignored.\n"
              "A value out of range was changed (object 0: red 300 became 255).");
    EXPECT_EQ((*doc().begin())->red, 255);
}

TEST_F(DocumentFlowTest, OpeningForgetsTheSelectionAndListsTheFileAsRecent) {
    const QString first = writeScene("first.tvn", 1);
    const QString second = writeScene("second.tvn", 3);
    start({first});
    view().state.selectedObject = *doc().begin();
    view().state.hoverObject = *doc().begin();
    prompts.fileAnswers = {second};
    trigger(cmd::kFileOpen);
    EXPECT_EQ(doc().objectCount, 3);
    EXPECT_EQ(view().state.selectedObject, nullptr);
    EXPECT_EQ(view().state.hoverObject, nullptr);
    QAction* recent1 = frame().action(cmd::kFileMruFirst);
    EXPECT_TRUE(recent1->isEnabled());
    EXPECT_TRUE(recent1->text().endsWith("second.tvn"));
    EXPECT_TRUE(frame().action(cmd::kFileMruFirst + 1)->text().endsWith("first.tvn"));
    trigger(cmd::kFileMruFirst + 1);
    EXPECT_EQ(doc().objectCount, 1);
}

TEST_F(DocumentFlowTest, RecentListKeepsTheFourNewestFilesNewestFirst) {
    start();
    for (int i = 1; i <= 5; ++i) {
        prompts.fileAnswers = {writeScene(QString("s%1.tvn").arg(i), i)};
        trigger(cmd::kFileOpen);
    }
    for (int i = 0; i < 4; ++i) {
        QAction* entry = frame().action(cmd::kFileMruFirst + i);
        EXPECT_TRUE(entry->isVisible());
        EXPECT_TRUE(entry->text().startsWith(QString("&%1 ").arg(i + 1)));
        EXPECT_TRUE(entry->text().endsWith(QString("s%1.tvn").arg(5 - i))) << i;
    }
    // Opening an older entry moves it to the front.
    trigger(cmd::kFileMruFirst + 2);
    EXPECT_EQ(doc().objectCount, 3);
    EXPECT_TRUE(frame().action(cmd::kFileMruFirst)->text().endsWith("s3.tvn"));
    EXPECT_TRUE(frame().action(cmd::kFileMruFirst + 1)->text().endsWith("s5.tvn"));
}

TEST_F(DocumentFlowTest, ACommandLineFileThatCannotBeOpenedEndsStartUp) {
    app = std::make_unique<CTorvaneApp>(prompts);
    EXPECT_EQ(app->initInstance({"torvane", tempPath("absent.tvn")}),
              CTorvaneApp::StartResult::Failed);
    ASSERT_EQ(prompts.count("message"), 1);
    EXPECT_EQ(prompts.asked.back().text, "Cannot open " + tempPath("absent.tvn") + ".");
}

TEST_F(DocumentFlowTest, AFailedSaveIsReportedAndTheDocumentStaysModified) {
    start();
    makeUnsavedChange();
    prompts.fileAnswers = {tempPath("no/such/folder/scene.tvn")};
    trigger(cmd::kFileSaveAs);
    ASSERT_EQ(prompts.count("message"), 1);
    EXPECT_TRUE(prompts.asked.back().text.startsWith("The scene was not saved: cannot write"));
    EXPECT_TRUE(app->lifecycle().isModified());
    EXPECT_TRUE(frame().isWindowModified());
}

TEST_F(DocumentFlowTest, SaveWritesTheFileAndClearsTheModifiedMark) {
    const QString path = writeScene("scene.tvn", 1);
    start({path});
    makeUnsavedChange();
    EXPECT_TRUE(frame().isWindowModified());
    trigger(cmd::kFileSave);
    EXPECT_EQ(prompts.count("save"), 0); // it has a name already
    EXPECT_FALSE(frame().isWindowModified());
    CTorvaneDoc saved;
    std::string error;
    ASSERT_TRUE(loadSceneFile(path.toStdString(), saved, &error));
    EXPECT_EQ(saved.objectCount, 2);
}

TEST_F(DocumentFlowTest, ClosingTheWindowAsksAndCancelKeepsItOpen) {
    start();
    makeUnsavedChange();
    prompts.saveAnswers = {UserPrompts::SaveAnswer::Cancel};
    trigger(cmd::kAppExit);
    EXPECT_EQ(prompts.count("ask"), 1);
    EXPECT_TRUE(frame().isVisible());
    prompts.saveAnswers = {UserPrompts::SaveAnswer::Discard};
    EXPECT_TRUE(frame().close());
    EXPECT_FALSE(frame().isVisible());
}

TEST_F(DocumentFlowTest, ExportOffersTheTitleWithEpsAndWritesTheFile) {
    const QString scene = writeScene("drawing.tvn", 1);
    start({scene});
    const QString eps = tempPath("drawing.eps");
    prompts.fileAnswers = {eps};
    trigger(cmd::kFileExport);
    const PromptRecord& asked = prompts.asked.back();
    EXPECT_EQ(asked.caption, "Export to file");
    EXPECT_EQ(asked.filter,
              "EPS Files (*.eps);;SVG Files (*.svg);;PDF Files (*.pdf);;PNG Files (*.png)");
    EXPECT_EQ(asked.suffix, "eps");
    EXPECT_EQ(asked.initialName, tempPath("drawing")) << "in the scene's folder";
    QFile f(eps);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("%!PS-Adobe-2.0 EPSF-2.0\n%%BoundingBox: "));

    prompts.fileAnswers = {tempPath("missing/x.eps")};
    trigger(cmd::kFileExport);
    EXPECT_EQ(prompts.asked.back().kind, "message");
    EXPECT_EQ(prompts.asked.back().caption, "Info");
    EXPECT_EQ(prompts.asked.back().text, "Error!");
}

TEST_F(DocumentFlowTest, OpenAndSaveAsStartInTheScenesFolder) {
    const QString scene = writeScene("here.tvn", 1);
    start({scene});
    trigger(cmd::kFileOpen); // answered by cancelling
    ASSERT_EQ(prompts.asked.back().kind, "open");
    EXPECT_EQ(prompts.asked.back().initialName, QFileInfo(tempPath("x")).absolutePath());
    trigger(cmd::kFileSaveAs);
    ASSERT_EQ(prompts.asked.back().kind, "save");
    EXPECT_EQ(prompts.asked.back().initialName, scene);

    trigger(cmd::kFileNew);
    trigger(cmd::kFileOpen);
    EXPECT_EQ(prompts.asked.back().initialName, "") << "a new scene has no folder of its own";
}

TEST_F(DocumentFlowTest, ExportRefusesCoordinatesBeyondSinglePrecision) {
    start();
    doc().addObject(KIND_L, -1e39, 0, 0, 0, 0, 0, 0);
    const QString eps = tempPath("huge.eps");
    prompts.fileAnswers = {eps};
    trigger(cmd::kFileExport);
    EXPECT_EQ(prompts.asked.back().kind, "message");
    EXPECT_EQ(prompts.asked.back().caption, "Info");
    EXPECT_EQ(prompts.asked.back().text, "This scene's coordinates are too large for EPS.");
    EXPECT_FALSE(QFile::exists(eps));
}

TEST_F(DocumentFlowTest, CancellingExportWritesNothing) {
    start();
    trigger(cmd::kFileExport);
    EXPECT_EQ(prompts.count("save"), 1);
    EXPECT_EQ(prompts.count("message"), 0);
}

} // namespace
