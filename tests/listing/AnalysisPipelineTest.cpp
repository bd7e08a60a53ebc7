#include "listing/detail/AnalysisPipeline.h"

#include "listing/FactTexts.h"
#include "listing/FileFacts.h"
#include "listing/PathText.h"
#include "listing/detail/NameList.h"
#include "platform/files/FileSystem.h"
#include "support/ChildProcess.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quiverel {
namespace {

using testing::childCannotRun;
using testing::runInChild;
using testing::TempTree;

// What the batch would write for a file analysed by its path on the calling thread.
std::vector<std::string> textsOf(const RowTexts& row) {
    return {std::string(row[cell::fullPath]), std::string(row[cell::folder]),
            std::string(row[cell::fileName]), std::string(row[cell::size]),
            std::string(row[cell::stamp]),    std::string(row[cell::version]),
            std::string(row[cell::extension])};
}

std::vector<std::string> analysedByPath(const std::string& nativePath, bool upperCase) {
    FileFacts facts;
    analyseFile(fs::FileRef::atPath(nativePath), toDisplayText(nativePath), upperCase, facts);
    FactTexts texts;
    return textsOf(texts.of(facts));
}

NameList namesOf(const std::vector<std::string>& names) {
    NameList list;
    for (const std::string& name : names) {
        list.add(name);
    }
    return list;
}

class AnalysisPipelineTest : public ::testing::Test {
protected:
    // Files with long names, enough for their texts to fill several blocks.
    std::vector<std::string> makeFolder(const std::string& folder, int files) {
        tree.makeFolder(folder);
        std::vector<std::string> names;
        for (int i = 0; i < files; ++i) {
            names.push_back(std::to_string(i) + "-" + std::string(200, 'n') +
                            (i % 3 == 0 ? ".Dll" : ".txt"));
            tree.makeFile(folder + "/" + names.back(),
                          std::string(static_cast<std::size_t>(i), 'x'));
        }
        return names;
    }

    TempTree tree;
};

TEST_F(AnalysisPipelineTest, HandsBackEveryFileInTheOrderAddedAsThePathWouldGiveIt) {
    const std::vector<std::string> folders = {"one", "Two", "Two/Deeper", "three\xff"};
    std::vector<std::vector<std::string>> names;
    for (const std::string& folder : folders) {
        names.push_back(makeFolder(folder, folder == "Two" ? 0 : 2500));
    }
    for (const bool flgOmoji : {false, true}) {
        SCOPED_TRACE(flgOmoji);
        std::vector<std::vector<std::string>> expected;
        AnalysisPipeline pipeline(flgOmoji);
        for (std::size_t f = 0; f < folders.size(); ++f) {
            for (const std::string& name : names[f]) {
                expected.push_back(analysedByPath(tree.path(folders[f] + "/" + name), flgOmoji));
            }
            pipeline.add(tree.path(folders[f]), namesOf(names[f]));
        }
        pipeline.close();

        std::vector<std::vector<std::string>> handedBack;
        RowTexts file;
        while (pipeline.next(file)) {
            handedBack.push_back(textsOf(file));
        }
        EXPECT_EQ(handedBack, expected);
        EXPECT_FALSE(pipeline.next(file));
    }
}

TEST_F(AnalysisPipelineTest, FilesOfAFolderGoneMeanwhileComeBackWithoutStamp) {
    AnalysisPipeline pipeline(false);
    pipeline.add(tree.path("gone"), namesOf({"a.exe", "b.txt"}));
    pipeline.close();
    RowTexts file;
    std::vector<std::vector<std::string>> handedBack;
    while (pipeline.next(file)) {
        handedBack.push_back(textsOf(file));
    }
    const std::string folder = tree.path("gone/");
    EXPECT_EQ(handedBack, (std::vector<std::vector<std::string>>{
                              {folder + "a.exe", folder, "a.exe", "1KB", "", "", "EXE"},
                              {folder + "b.txt", folder, "b.txt", "1KB", "", "-", "TXT"}}));
}

TEST_F(AnalysisPipelineTest, EndsAtOnceWhenNothingWasAddedOrWhenAbandoned) {
    AnalysisPipeline empty(true);
    empty.close();
    RowTexts file;
    EXPECT_FALSE(empty.next(file));

    const std::vector<std::string> names = makeFolder("many", 3000);
    AnalysisPipeline abandoned(false);
    for (int round = 0; round < 20; ++round) {
        abandoned.add(tree.path("many"), namesOf(names));
    }
    ASSERT_TRUE(abandoned.next(file));
    EXPECT_EQ(file[cell::fileName], names.front());
    // Going out of scope without close() or taking the rest must neither hang nor leak.
}

TEST_F(AnalysisPipelineTest, AnalysesOnTheCallingThreadWhenNoThreadCanBeStarted) {
    const std::vector<std::string> first = makeFolder("first", 3);
    const std::vector<std::string> second = makeFolder("second", 2);
    std::vector<std::vector<std::string>> expected;
    for (const std::string& name : first) {
        expected.push_back(analysedByPath(tree.path("first/" + name), false));
    }
    for (const std::string& name : second) {
        expected.push_back(analysedByPath(tree.path("second/" + name), false));
    }
    ASSERT_EQ(::chmod(tree.path("").c_str(), 0755), 0);

    // Root may start threads whatever its limits say, so the child gives up its rights first.
    const int outcome = runInChild([&] {
        constexpr uid_t nobody = 65534;
        const rlimit noThreads{0, 0};
        if ((::geteuid() == 0 &&
             (::setgroups(0, nullptr) != 0 || ::setresgid(nobody, nobody, nobody) != 0 ||
              ::setresuid(nobody, nobody, nobody) != 0)) ||
            ::setrlimit(RLIMIT_NPROC, &noThreads) != 0) {
            return childCannotRun;
        }
        try {
            std::thread([] {}).join();
            return childCannotRun; // threads can still be started here
        } catch (const std::system_error&) {
        }
        AnalysisPipeline pipeline(false, 2);
        pipeline.add(tree.path("first"), namesOf(first));
        pipeline.add(tree.path("second"), namesOf(second));
        pipeline.close();
        std::vector<std::vector<std::string>> handedBack;
        RowTexts file;
        while (pipeline.next(file)) {
            handedBack.push_back(textsOf(file));
        }
        return handedBack == expected ? 0 : 1;
    });
    if (outcome == childCannotRun) {
        GTEST_SKIP() << "thread starts cannot be refused here";
    }
    EXPECT_EQ(outcome, 0);
}

} // namespace
} // namespace quiverel
