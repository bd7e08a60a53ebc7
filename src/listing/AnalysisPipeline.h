#pragma once

#include "listing/DataSet_Row.h"
#include "listing/RecordQueue.h"

#include <string>
#include <thread>

namespace quiverel {

class NameList;

// Analyses the files a folder search finds on a second thread while the search goes on, and
// hands back their row texts in the order the files were found. Each file is queried by its name
// inside its folder. Both the folders waiting for analysis and the texts waiting to be taken
// are kept packed in record queues, so the texts of a whole tree need little more room than
// the rows they become, and nothing of them stays behind.
class AnalysisPipeline {
public:
    explicit AnalysisPipeline(bool flgOmoji);
    // Abandons what is left and waits for the second thread.
    ~AnalysisPipeline();
    AnalysisPipeline(const AnalysisPipeline&) = delete;
    AnalysisPipeline& operator=(const AnalysisPipeline&) = delete;

    // Queues the matching files of one folder (its native text and the names, in order).
    void add(const std::string& folder, const NameList& files);
    // Says that no more folders follow.
    void close();
    // The next file in the order added, waiting for its analysis; false once every file has been
    // taken after close(). The texts stay valid until the next call. A failure of the second
    // thread (no memory) is thrown here.
    bool next(AnalysedFile& file);

private:
    void run();
    void analyseFolder(std::string_view job);

    const bool m_flgOmoji;
    RecordQueue m_folders;
    RecordQueue m_files;
    std::thread m_thread;
};

} // namespace quiverel
