#pragma once

#include "listing/DataSet_Row.h"
#include "listing/FileAnalyze.h"
#include "listing/MappedBlock.h"
#include "listing/NameList.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <thread>

namespace quiverel {

// Analyses the files a folder search finds on a second thread while the search goes on, and
// hands back their row texts in the order the files were found. Each file is queried by its name
// inside its folder. The texts wait packed in large blocks, each given back to the system as soon
// as the files in it have been taken, so the texts of a whole tree need little more room than
// the rows they become.
class AnalysisPipeline {
public:
    explicit AnalysisPipeline(bool flgOmoji);
    // Abandons what is left and waits for the second thread.
    ~AnalysisPipeline();
    AnalysisPipeline(const AnalysisPipeline&) = delete;
    AnalysisPipeline& operator=(const AnalysisPipeline&) = delete;

    // Queues the matching files of one folder (its native text and the names, in order).
    void add(const std::string& folder, NameList files);
    // Says that no more folders follow.
    void close();
    // The next file in the order added, waiting for its analysis; false once every file has been
    // taken after close(). The texts stay valid until the next call. A failure of the second
    // thread (no memory) is thrown here.
    bool next(AnalysedFile& file);

private:
    struct FolderJob {
        std::string folder;
        NameList files;
    };
    struct Block {
        MappedBlock memory;
        std::size_t end; // where its last record ends, once the writer has moved on
    };

    // Texts the second thread reuses from file to file.
    struct Scratch {
        std::string prefix;
        std::string fullPath;
        FileFields fields;
    };

    void run();
    void analyseFolder(const FolderJob& job, Scratch& scratch);
    char* roomFor(std::size_t bytes);
    void publish();

    const bool m_flgOmoji;
    std::mutex m_mutex;
    std::condition_variable m_jobsWaiting;
    std::condition_variable m_filesReady;
    std::deque<FolderJob> m_jobs;
    std::deque<Block> m_blocks;
    std::size_t m_published = 0; // files analysed and ready to be taken
    bool m_closed = false;
    bool m_finished = false; // the second thread has ended
    std::exception_ptr m_failure;
    std::atomic<bool> m_abandoned{false};
    std::thread m_thread;

    // The second thread's own.
    char* m_writeAt = nullptr;
    char* m_writeEnd = nullptr;
    std::size_t m_unpublished = 0;

    // The calling thread's own.
    std::size_t m_taken = 0;
    std::size_t m_readOffset = 0; // within the first block
};

} // namespace quiverel
