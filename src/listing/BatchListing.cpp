#include "listing/BatchListing.h"

#include "listing/DataSet_Row.h"
#include "listing/DirFileSearch.h"
#include "listing/FileSystem.h"
#include "listing/GridModel.h"
#include "listing/ListingFailure.h"
#include "listing/ListingTexts.h"
#include "listing/Options.h"
#include "listing/PathText.h"
#include "listing/WildcardPattern.h"
#include "platform/MessageBox.h"

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

// Hands the found paths to writeRow in search order until the cancel flag is set. Each path's
// memory is given back once its row is written, and the list shrinks as it is used up, so the
// rows of a large folder never need room for the whole list beside them.
template <typename WriteRow>
void writeFoundRows(std::vector<std::string>& sFound, const std::atomic<bool>& cancelFlag,
                    WriteRow writeRow) {
    constexpr std::size_t leastShrink = 4096;
    std::size_t k = 0;
    while (k + 1 < sFound.size() && !cancelFlag) {
        writeRow(sFound[k]);
        std::string().swap(sFound[k]);
        ++k;
        if (k >= leastShrink && 2 * k >= sFound.size()) {
            sFound.erase(sFound.begin(), sFound.begin() + static_cast<std::ptrdiff_t>(k));
            sFound.shrink_to_fit();
            k = 0;
        }
    }
}

// Orders all data rows by file name and writes their running numbers.
void sortAndNumber(GridModel& grid) {
    grid.setCol(1);
    grid.setSort(GridModel::flexSortStringNoCaseAscending);
    for (std::int32_t i = 1; i < grid.Rows(); ++i) {
        grid.setRow(i);
        grid.setCol(0);
        grid.setText(std::to_string(i));
    }
}

} // namespace

BatchListing::BatchListing(const Options& options, CheckBoxReader readCheckSiji, EventPump& pump,
                           MessageBox& messageBox)
    : m_options(options), m_readCheckSiji(std::move(readCheckSiji)), m_pump(pump),
      m_messageBox(messageBox) {}

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

        const auto writeRow = [&](const std::string& nativePath) {
            handling = &nativePath;
            std::string strFullPathFileName = toDisplayText(nativePath);
            if (DataSet_Row(ctlMSFlexGrid1, lNum, nativePath, strFullPathFileName, sTrim, flgCheck,
                            flgOmoji)) {
                ++lNum;
            }
            handling = nullptr;
        };

        const SearchControl control{m_pump, m_cancel, &m_found};
        for (std::size_t entry = 1; entry < fileTable.size() && !m_cancel; ++entry) {
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
            std::vector<std::string> sFound{std::string()};
            DirFileSearch(*pattern, nativePath, sFound, control);
            writeFoundRows(sFound, m_cancel, writeRow);
        }
        handling = nullptr;

        sortAndNumber(ctlMSFlexGrid1);
        result.rowsWritten = lNum - 1;
        result.cancelled = m_cancel;
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
        result.failedPath = handling ? toDisplayText(*handling) : std::string();
        result.reason = failure.what();
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
