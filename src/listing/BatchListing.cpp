#include "listing/BatchListing.h"

#include "listing/AnalysisPipeline.h"
#include "listing/DataSet_Row.h"
#include "listing/DirFileSearch.h"
#include "listing/FileSystem.h"
#include "listing/GridModel.h"
#include "listing/ListingFailure.h"
#include "listing/ListingTexts.h"
#include "listing/NameList.h"
#include "listing/Options.h"
#include "listing/PathText.h"
#include "listing/WildcardPattern.h"
#include "platform/MessageBox.h"

#include <new>
#include <optional>
#include <sys/stat.h>
#include <utility>

namespace quiverel {
namespace {

// Clears the running mark when the batch ends, however it ends.
class RunningGuard {
public:
    explicit RunningGuard(std::atomic<bool>& running) : m_running(running) {}
    ~RunningGuard() { m_running = false; }
    RunningGuard(const RunningGuard&) = delete;
    RunningGuard& operator=(const RunningGuard&) = delete;

private:
    std::atomic<bool>& m_running;
};

// Orders all data rows by file name and writes their running numbers. Events get through
// meanwhile: the order of a million rows takes a while to work out.
void sortAndNumber(GridModel& grid, EventPacer& pacer) {
    grid.setCol(1);
    grid.setSort(GridModel::flexSortStringNoCaseAscending, [&] { pacer.processEventsIfDue(); });
    for (std::int32_t i = 1; i < grid.Rows(); ++i) {
        grid.setRow(i);
        grid.setCol(0);
        grid.setText(std::to_string(i));
        pacer.processEventsWhenDue();
    }
}

// The reason a failure gives; running out of memory says so in plain words.
std::string reasonOf(const std::exception& failure) {
    return dynamic_cast<const std::bad_alloc*>(&failure) != nullptr ? "out of memory"
                                                                    : failure.what();
}

} // namespace

BatchListing::BatchListing(const Options& options, CheckBoxReader readCheckSiji, EventPump& pump,
                           MessageBox& messageBox, EventPacer::TimeSource now)
    : m_options(options), m_readCheckSiji(std::move(readCheckSiji)), m_pump(pump),
      m_messageBox(messageBox), m_now(std::move(now)) {}

BatchResult BatchListing::DataSet_AllRow(GridModel& ctlMSFlexGrid1, const FileTable& fileTable,
                                         const std::string& sTrim, bool flgOmoji) {
    BatchResult result;
    if (m_running.exchange(true)) {
        result.outcome = BatchResult::Outcome::Refused;
        return result;
    }
    const RunningGuard guard(m_running);
    m_found = 0;

    std::int32_t lNum = 1;
    // The native path being handled, named when the batch fails.
    const std::string* handling = nullptr;
    try {
        const std::optional<WildcardPattern> pattern =
            WildcardPattern::parse(m_options.OptFindFiles);
        if (!pattern) {
            throw ListingFailure(std::string(), "the target file pattern \"" +
                                                    m_options.OptFindFiles + "\" cannot be used");
        }
        const ColumnFlags flgCheck = m_readCheckSiji();

        m_cancel = false;
        ctlMSFlexGrid1.setRows(1);
        // Events get through before each descent of a search and, where no descent comes for a
        // while (a huge folder, the rows of a large one, many dropped files), now and then;
        // the cancel flag is tested right after.
        EventPacer pacer(m_pump, m_now);

        // A file whose time stamp cannot be read is passed over; the batch tells how many.
        const auto countRow = [&](bool written, std::string_view strFullPathFileName) {
            if (written) {
                ++lNum;
                return;
            }
            if (result.firstPassedOver.size() < BatchResult::passedOverNamed) {
                result.firstPassedOver.emplace_back(strFullPathFileName);
            }
            ++result.passedOver;
        };

        const auto writeRow = [&](const std::string& nativePath) {
            handling = &nativePath;
            std::string strFullPathFileName = toDisplayText(nativePath);
            countRow(DataSet_Row(ctlMSFlexGrid1, lNum, nativePath, strFullPathFileName, sTrim,
                                 flgCheck, flgOmoji),
                     strFullPathFileName);
            handling = nullptr;
        };

        // A folder's files are analysed on other threads while the search goes on; their rows
        // are written here, in search order, once the search of the folder has ended.
        const auto listFolder = [&](const std::string& nativePath) {
            AnalysisPipeline pipeline(flgOmoji);
            searchFolderFiles(*pattern, nativePath, {pacer, m_cancel, nullptr, &pacer},
                              [&](const std::string& folder, const NameList& files) {
                                  if (m_cancel) {
                                      return false;
                                  }
                                  m_found += static_cast<long long>(files.size());
                                  pipeline.add(folder, files);
                                  return true;
                              });
            pipeline.close();
            AnalysedFile file;
            while (!m_cancel && pipeline.next(file)) {
                try {
                    countRow(DataSet_RowAnalysed(ctlMSFlexGrid1, lNum, file, sTrim, flgCheck),
                             file.strFullPathFileName);
                } catch (const std::exception& failure) {
                    throw ListingFailure(std::string(file.strFullPathFileName), reasonOf(failure));
                }
                pacer.processEventsWhenDue();
            }
        };

        for (std::size_t entry = 1; entry < fileTable.size(); ++entry) {
            pacer.processEventsWhenDue();
            if (m_cancel) {
                break;
            }
            const std::string& nativePath = fileTable[entry];
            handling = &nativePath;
            struct stat attributes {};
            const int error = fs::statPath(nativePath, attributes);
            if (error != 0) {
                throw ListingFailure(toDisplayText(nativePath), fs::errorText(error));
            }
            if (!S_ISDIR(attributes.st_mode)) {
                ++m_found;
                writeRow(nativePath);
                continue;
            }
            if (m_options.OptFolder != 1) {
                continue;
            }
            listFolder(nativePath);
        }
        handling = nullptr;

        // A cancel from here on cuts nothing short: the rows written are sorted and numbered.
        result.cancelled = m_cancel;
        sortAndNumber(ctlMSFlexGrid1, pacer);
        result.rowsWritten = lNum - 1;
        if (lNum == 1) {
            m_messageBox.show(texts::noFilesFound, texts::programTitle);
            result.outcome = BatchResult::Outcome::NothingFound;
        } else {
            result.outcome = BatchResult::Outcome::Listed;
        }
        return result;
    } catch (const ListingFailure& failure) {
        result.failedPath = failure.path();
        result.reason = failure.what();
    } catch (const std::exception& failure) {
        result.reason = reasonOf(failure);
        try {
            result.failedPath = handling ? toDisplayText(*handling) : std::string();
        } catch (const std::bad_alloc&) {
            result.failedPath.clear(); // memory is short even for naming the path
        }
    }
    result.outcome = BatchResult::Outcome::Failed;
    result.rowsWritten = lNum - 1;
    m_messageBox.show(texts::badTarget, texts::programTitle);
    return result;
}

void BatchListing::cancel() {
    m_cancel = true;
}

bool BatchListing::isRunning() const {
    return m_running;
}

long long BatchListing::filesFound() const {
    return m_found;
}

} // namespace quiverel
