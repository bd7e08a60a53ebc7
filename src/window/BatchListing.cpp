#include "window/BatchListing.h"

#include "generated/ProgramInfo.h"
#include "grid/GridModel.h"
#include "listing/ListFiles.h"
#include "listing/ListingTexts.h"
#include "listing/RowTexts.h"
#include "platform/EventPump.h"
#include "platform/MessageBox.h"
#include "settings/Options.h"
#include "window/DataSet_Row.h"

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

// The grid below the heading row as the listing's sink: row after row through DataSet_Row.
class GridRows : public RowSink {
public:
    GridRows(GridModel& grid, const ColumnFlags& columns) : m_grid(grid), m_columns(columns) {}

    void begin() override { m_grid.setRows(1); }
    void addRow(const RowTexts& row) override { DataSet_Row(m_grid, m_nextRow++, row, m_columns); }

private:
    GridModel& m_grid;
    const ColumnFlags& m_columns;
    std::int32_t m_nextRow = 1;
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

ListingRequest requestOf(const FileTable& fileTable, const Options& options,
                         const std::string& trim, bool upperCase, const ColumnFlags& columns) {
    ListingRequest request;
    if (!fileTable.empty()) {
        request.entries.assign(fileTable.begin() + 1, fileTable.end());
    }
    request.pattern = options.OptFindFiles;
    request.options.searchSubfolders = [&options] {
        return options.OptFolder == 1;
    };
    request.options.trim = [&trim] {
        return std::string_view(trim);
    };
    request.upperCase = upperCase;
    request.columns = columns;
    return request;
}

} // namespace

BatchListing::BatchListing(const Options& options, CheckBoxReader readCheckSiji, EventPump& pump,
                           MessageBox& messageBox, EventPacer::TimeSource now)
    : m_options(options), m_readCheckSiji(std::move(readCheckSiji)), m_messageBox(messageBox),
      m_control([&pump] { pump.processPendingEvents(); }, std::move(now)) {}

BatchResult BatchListing::DataSet_AllRow(GridModel& ctlMSFlexGrid1, const FileTable& fileTable,
                                         const std::string& sTrim, bool flgOmoji) {
    BatchResult result;
    if (m_running.exchange(true)) {
        result.outcome = BatchResult::Outcome::Refused;
        return result;
    }
    const RunningGuard guard(m_running);

    const ColumnFlags flgCheck = m_readCheckSiji();
    GridRows rows(ctlMSFlexGrid1, flgCheck);
    result.listing =
        listFiles(requestOf(fileTable, m_options, sTrim, flgOmoji, flgCheck), m_control, rows);
    if (result.listing.kind == ListingOutcome::Kind::Failed) {
        result.outcome = BatchResult::Outcome::Failed;
        m_messageBox.show(texts::badTarget, program::title);
        return result;
    }
    // A cancel from here on cuts nothing short: the rows written are sorted and numbered.
    try {
        sortAndNumber(ctlMSFlexGrid1, m_control.pacer());
    } catch (const std::exception& failure) {
        result.outcome = BatchResult::Outcome::Failed;
        result.listing.reason = failureReason(failure);
        m_messageBox.show(texts::badTarget, program::title);
        return result;
    }
    if (result.listing.rows == 0) {
        m_messageBox.show(texts::noFilesFound, program::title);
        result.outcome = BatchResult::Outcome::NothingFound;
    } else {
        result.outcome = BatchResult::Outcome::Listed;
    }
    return result;
}

void BatchListing::cancel() {
    m_control.cancel();
}

bool BatchListing::isRunning() const {
    return m_running;
}

long long BatchListing::filesFound() const {
    return m_control.filesFound();
}

} // namespace quiverel
