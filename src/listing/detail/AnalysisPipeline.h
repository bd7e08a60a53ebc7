#pragma once

#include "kit/AsideThread.h"
#include "listing/ListingRequest.h"
#include "listing/RowTexts.h"
#include "listing/detail/RecordQueue.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quiverel {

class NameList;

// Analyses the files a folder search finds on other threads while the search goes on, and hands
// back their row texts and facts in the order the files were found. The folders go to the
// analysing threads in turn, and their files come back from each in the same turn. Each file is
// queried by its name inside its folder, or by its path while descriptors run short. Both the
// folders waiting for analysis and the texts waiting to be taken are kept packed in record queues,
// so the texts of a whole tree need little more room than the rows they become, and nothing of
// them stays behind.
class AnalysisPipeline {
public:
    // One analysing thread per processor core, up to four.
    static unsigned defaultThreads();

    // With contentDigest set, the analysing threads also work out each file's digest.
    explicit AnalysisPipeline(bool upperCase, unsigned threads = defaultThreads(),
                              ContentDigest contentDigest = {});
    // Abandons what is left and waits for the analysing threads.
    ~AnalysisPipeline();
    AnalysisPipeline(const AnalysisPipeline&) = delete;
    AnalysisPipeline& operator=(const AnalysisPipeline&) = delete;

    // Queues the matching files of one folder (its native text and the names, in order).
    void add(const std::string& folder, const NameList& files);
    // Says that no more folders follow.
    void close();
    // The next file in the order added, waiting for its analysis; false once every file has been
    // taken after close(). The texts stay valid until the next call. A failure of an analysing
    // thread (a file it cannot reach for want of descriptors or memory) is thrown here in place
    // of that file, once every file before it has been taken.
    bool next(RowTexts& row, RowFacts& facts);
    bool next(RowTexts& row) {
        RowFacts facts;
        return next(row, facts);
    }

private:
    // Folders in a row read from memory after which a tree is taken to be at hand.
    static constexpr std::uint32_t quietFolders = 64;

    // An analysing thread, with the folders handed to it and the files it has analysed; each
    // folder's files come after a record of the folder's text and are followed by an empty one.
    struct Analyser {
        RecordQueue folders;
        RecordQueue files;
        std::unique_ptr<AsideThread> thread;
        bool onCallingThread = false; // no thread could be started for it
        // Folders in a row whose files came from memory, not from the disk. Until a long
        // stretch has, the executables of each folder have their first pages asked for before
        // its files are analysed.
        std::uint32_t foldersFromMemory = quietFolders;
    };

    void run(Analyser& analyser);
    // Analyses the files of one folder, then marks the folder's end. False when the analysis
    // failed: the failure then follows the files analysed before it, and nothing more comes.
    bool analyseOrFail(Analyser& analyser, std::string_view job);
    void analyseFolder(Analyser& analyser, std::string_view job);
    // Counts the folders in a row whose files came from memory: blocksBefore is what the
    // thread had read from the disk before the folder's files.
    static void noteWhereFilesCameFrom(Analyser& analyser, long blocksBefore);

    const bool m_upperCase;
    const ContentDigest m_contentDigest;
    std::vector<std::unique_ptr<Analyser>> m_analysers;
    std::size_t m_foldersAdded = 0;
    std::size_t m_foldersTaken = 0; // folders whose files have all been taken
    // The text of the folder whose files are being taken, and the full path of the file taken.
    bool m_folderTextTaken = false;
    std::string m_folderText;
    std::string m_fullPath;
};

} // namespace quiverel
