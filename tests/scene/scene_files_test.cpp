// tvn files on disk: saves that never lose the previous file and write through links,
// and loads that read only regular files and only what the count announces.
#include "scene/tvn_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <limits>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// A document holding one of every kind with distinct attributes.
void fillEveryKind(CTorvaneDoc& doc) {
    doc.addObject(KIND_C, 1.5, -2.25, -3.0, 255, 0, 7)->width = 3;
    doc.addObject(KIND_L, 0.1, 0.2, 0.3, 0.4, 1, 2, 3)->dashed = 1;
    doc.addObject(KIND_C_PRIME, 1e300, -1e-300, 0.0, 10, 20, 30);
    doc.addObject(KIND_L_PRIME, -7, 8, 9, -10, 0, 128, 255);
}

std::vector<std::string> texts(const CTorvaneDoc& doc) {
    std::vector<std::string> out;
    for (const SceneObject* o : doc)
        out.push_back(o->toString());
    return out;
}

// The objects' texts of the scene in the file, or the load error.
std::vector<std::string> sceneIn(const std::string& path) {
    CTorvaneDoc doc;
    std::string error;
    if (!loadSceneFile(path, doc, &error))
        return {"load failed: " + error};
    return texts(doc);
}

void saveCircle(const std::string& path, double x) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, x, 0, 1, 0, 0, 0);
    std::string error;
    ASSERT_TRUE(saveSceneFile(path, doc, &error)) << error;
}

std::string circleText(double x) {
    CTorvaneDoc doc;
    return doc.addObject(KIND_C, x, 0, 1, 0, 0, 0)->toString();
}

} // namespace

class SceneFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir =
            std::filesystem::temp_directory_path() /
            ("torvane_files_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(dir);
    }
    std::filesystem::path dir;
};

TEST_F(SceneFiles, SaveReplacesFileAndLeavesNoTemporary) {
    const std::string path = (dir / "scene.tvn").string();
    CTorvaneDoc doc;
    fillEveryKind(doc);
    std::string error;
    ASSERT_TRUE(saveSceneFile(path, doc, &error)) << error;
    doc.removeAll();
    doc.addObject(KIND_C, 1, 1, 1, 0, 0, 0);
    ASSERT_TRUE(saveSceneFile(path, doc, &error)) << error;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    CTorvaneDoc loaded;
    ASSERT_TRUE(loadSceneFile(path, loaded, &error)) << error;
    EXPECT_EQ(texts(loaded), (std::vector<std::string>{"C(1.0, 1.0, 1.0)"}));
}

TEST_F(SceneFiles, WriteFailureMidwayReportsAndKeepsPreviousFile) {
    const std::string path = (dir / "scene.tvn").string();
    CTorvaneDoc doc;
    fillEveryKind(doc);
    std::string error;
    ASSERT_TRUE(saveSceneFile(path, doc, &error));

    // A file-size limit makes the write fail part-way, as a full disk would.
    CTorvaneDoc big;
    for (int i = 0; i < 1000; ++i)
        big.addObject(KIND_C, i, i, 1, 0, 0, 0);
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = old;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool saved = saveSceneFile(path, big, &error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved);
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    CTorvaneDoc loaded;
    ASSERT_TRUE(loadSceneFile(path, loaded, &error)) << error;
    EXPECT_EQ(loaded.objectCount, 4);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

TEST_F(SceneFiles, UncreatableFileIsReportedAsWriteError) {
    CTorvaneDoc doc;
    std::string error;
    EXPECT_FALSE(saveSceneFile((dir / "missing_dir" / "x.tvn").string(), doc, &error));
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
}

TEST_F(SceneFiles, MissingFileIsAnErrorAndKeepsDocument) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 4, 5, 6, 0, 0, 0);
    std::string error;
    EXPECT_FALSE(loadSceneFile((dir / "nope.tvn").string(), doc, &error));
    EXPECT_NE(error.find("cannot open"), std::string::npos);
    EXPECT_EQ(doc.objectCount, 1);
}

TEST_F(SceneFiles, SaveWritesThroughSymlinksToTheirTarget) {
    const std::string real = (dir / "real.tvn").string();
    saveCircle(real, 1);
    std::filesystem::create_symlink("real.tvn", dir / "link.tvn");        // relative
    std::filesystem::create_symlink(dir / "link.tvn", dir / "chain.tvn"); // absolute, to a link
    saveCircle((dir / "chain.tvn").string(), 2);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.tvn"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "chain.tvn"));
    EXPECT_EQ(sceneIn(real), std::vector<std::string>{circleText(2)});

    // A dangling link: the save creates the file it names.
    std::filesystem::create_symlink("later.tvn", dir / "dangling.tvn");
    saveCircle((dir / "dangling.tvn").string(), 3);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "dangling.tvn"));
    EXPECT_EQ(sceneIn((dir / "later.tvn").string()), std::vector<std::string>{circleText(3)});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 5);
}

TEST_F(SceneFiles, SaveKeepsHardLinksAndPermissions) {
    const std::string path = (dir / "scene.tvn").string();
    saveCircle(path, 1);
    std::filesystem::create_hard_link(path, dir / "alias.tvn");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    CTorvaneDoc doc;
    fillEveryKind(doc);
    std::string error;
    ASSERT_TRUE(saveSceneFile(path, doc, &error)) << error;
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(sceneIn((dir / "alias.tvn").string()), texts(doc));
    EXPECT_EQ(std::filesystem::file_size(path), 4u + 2 * 48 + 2 * 56);

    // A shorter scene leaves nothing of the longer one behind.
    saveCircle((dir / "alias.tvn").string(), 5);
    EXPECT_EQ(sceneIn(path), std::vector<std::string>{circleText(5)});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);

    // With a single name the file is replaced, and keeps its mode all the same.
    std::filesystem::remove(dir / "alias.tvn");
    saveCircle(path, 6);
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
}

TEST_F(SceneFiles, SaveRefusesFifoDirectoryAndLinksToThem) {
    const std::string fifo = (dir / "pipe.tvn").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("pipe.tvn", dir / "to_pipe.tvn");
    std::filesystem::create_directory(dir / "folder.tvn");
    CTorvaneDoc doc;
    fillEveryKind(doc);
    for (const char* name : {"pipe.tvn", "to_pipe.tvn", "folder.tvn"}) {
        SCOPED_TRACE(name);
        const std::string path = (dir / name).string();
        std::string error;
        EXPECT_FALSE(saveSceneFile(path, doc, &error));
        EXPECT_EQ(error, "cannot save over " + path + ": it is not a regular file");
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "to_pipe.tvn"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 3);
}

TEST_F(SceneFiles, AbandonedTemporaryFileIsRemovedByTheNextSave) {
    const std::string path = (dir / "scene.tvn").string();
    const auto touch = [&](const std::string& name) {
        std::ofstream(dir / name) << "left by a save that was killed";
    };
    touch(std::string("scene.tvn") + kSaveTemporaryMarker + "a1B2c3");  // abandoned: removed
    touch(std::string("other.tvn") + kSaveTemporaryMarker + "a1B2c3");  // another target's
    touch("scene.tvn.tmp-a1B2c3");                                      // not ours
    touch(std::string("scene.tvn") + kSaveTemporaryMarker + "a1B2c3d"); // not our pattern
    // A save in progress holds a lock on its temporary file: it must survive.
    const std::string busy =
        (dir / (std::string("scene.tvn") + kSaveTemporaryMarker + "BUSY00")).string();
    touch(busy.substr(dir.string().size() + 1));
    const int busyFd = ::open(busy.c_str(), O_RDONLY);
    ASSERT_GE(busyFd, 0);
    ASSERT_EQ(::flock(busyFd, LOCK_EX), 0);

    saveCircle(path, 1);
    ::close(busyFd);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{
                        std::string("other.tvn") + kSaveTemporaryMarker + "a1B2c3",
                        "scene.tvn",
                        "scene.tvn.tmp-a1B2c3",
                        std::string("scene.tvn") + kSaveTemporaryMarker + "BUSY00",
                        std::string("scene.tvn") + kSaveTemporaryMarker + "a1B2c3d",
                    }));
}

TEST_F(SceneFiles, NonFiniteSceneIsRefusedAndPreviousFileKept) {
    const std::string path = (dir / "scene.tvn").string();
    saveCircle(path, 1);
    CTorvaneDoc doc;
    doc.addObject(KIND_L, -1e200, 0, 1e200, 0, 0, 0, 0);
    (*doc.begin())->r = std::numeric_limits<double>::infinity(); // unused by a line: kept
    std::string error;
    ASSERT_TRUE(saveSceneFile(path, doc, &error)) << error;
    (*doc.begin())->kind = KIND_C; // now the infinite radius counts
    EXPECT_FALSE(saveSceneFile(path, doc, &error));
    EXPECT_EQ(error, path + ": object 0 has a coordinate that is not a finite number");
    (*doc.begin())->kind = KIND_L;
    EXPECT_EQ(sceneIn(path), texts(doc));
}

TEST_F(SceneFiles, UnsavableObjectFoundWhileWritingLeavesNoTrace) {
    // The refusal comes from the walk that writes, when most of the scene is already in
    // the temporary file: that file must go, and the scene on disk stay as it was, also
    // when the file has a second name and would be rewritten in place.
    const std::string path = (dir / "scene.tvn").string();
    saveCircle(path, 1);
    CTorvaneDoc doc;
    for (int i = 0; i < 100000; ++i)
        doc.addObject(KIND_C, i, 0, 1, 0, 0, 0);
    doc.objectAt(99998)->y[0] = std::numeric_limits<double>::quiet_NaN();
    const std::string expected =
        path + ": object 99998 has a coordinate that is not a finite number";
    std::string error;
    EXPECT_FALSE(saveSceneFile(path, doc, &error));
    EXPECT_EQ(error, expected);
    EXPECT_EQ(sceneIn(path), std::vector<std::string>{circleText(1)});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);

    const std::string twin = (dir / "twin.tvn").string();
    std::filesystem::create_hard_link(path, twin);
    EXPECT_FALSE(saveSceneFile(twin, doc, &error));
    EXPECT_EQ(error, twin + ": object 99998 has a coordinate that is not a finite number");
    EXPECT_EQ(sceneIn(path), std::vector<std::string>{circleText(1)});
    EXPECT_EQ(std::filesystem::hard_link_count(path), 2u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);
}

TEST_F(SceneFiles, DevZeroAndFifoAreRefusedWithoutReading) {
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 4, 5, 6, 0, 0, 0);
    std::string error;
    EXPECT_FALSE(loadSceneFile("/dev/zero", doc, &error));
    EXPECT_EQ(error, "/dev/zero is not a regular file");
    // No writer ever opens this FIFO: a blocking open would hang here.
    const std::string fifo = (dir / "pipe.tvn").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(loadSceneFile(fifo, doc, &error));
    EXPECT_EQ(error, fifo + " is not a regular file");
    EXPECT_FALSE(loadSceneFile(dir.string(), doc, &error));
    EXPECT_EQ(texts(doc), std::vector<std::string>{"C(4.0, 5.0, 6.0)"});
}

TEST_F(SceneFiles, TrailingBytesAreReportedEvenInAHugeFileOfZeros) {
    // A gigabyte of zeros (sparse on disk) is an empty scene followed by 2^30 - 4 bytes
    // nobody asked for; the loader must count them from the size, not read them.
    const std::string zeros = (dir / "zeros.tvn").string();
    std::ofstream(zeros).close();
    std::filesystem::resize_file(zeros, std::uint64_t{1} << 30);
    CTorvaneDoc doc;
    doc.addObject(KIND_C, 4, 5, 6, 0, 0, 0);
    LoadNotes notes;
    std::string error;
    ASSERT_TRUE(loadSceneFile(zeros, doc, &error, &notes)) << error;
    EXPECT_EQ(doc.objectCount, 0);
    EXPECT_EQ(notes.ignoredBytes, (std::uint64_t{1} << 30) - 4);

    // A real scene with a few bytes appended.
    const std::string path = (dir / "scene.tvn").string();
    saveCircle(path, 1);
    std::ofstream(path, std::ios::app | std::ios::binary) << "xyz";
    ASSERT_TRUE(loadSceneFile(path, doc, &error, &notes)) << error;
    EXPECT_EQ(texts(doc), std::vector<std::string>{circleText(1)});
    EXPECT_EQ(notes.sentences(),
              std::vector<std::string>{"3 bytes after the last object were ignored."});
}
