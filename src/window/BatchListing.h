#pragma once

#include "listing/ListingControl.h"
#include "listing/ListingOutcome.h"
#include "listing/ListingRequest.h"
#include "window/FileTable.h"

#include <atomic>
#include <functional>
#include <string>

namespace quiverel {

class EventPump;
class GridModel;
class MessageBox;
struct Options;

// How a batch ended: the window's verdict, and the listing's own outcome behind it.
struct BatchResult {
    enum class Outcome {
        Listed,       // rows were written, sorted and numbered
        NothingFound, // no row was written; the "no files" message was shown
        Failed,       // the batch stopped at a failure; the "wrong target" message was shown
        Refused,      // another batch was running; nothing changed
    };
    Outcome outcome = Outcome::NothingFound;
    // Rows written, whether the cancel flag ended the listing early (its rows are still sorted
    // and numbered), the failure's path and reason, the files passed over. When sorting the
    // rows fails, its reason is put here and the outcome is Failed.
    ListingOutcome listing;
};

// The batch listing: from the paths of a FileTable to sorted, numbered grid rows. Drives the
// listing core with the window's options, check boxes and events, writes its rows into the grid,
// sorts and numbers them, and tells the outcome in a message box.
class BatchListing {
public:
    // Samples the seven column check boxes once at the start of each batch.
    using CheckBoxReader = std::function<ColumnFlags()>;

    // options is read at the moments a batch needs it (pattern at its start, OptFolder at each
    // folder entry), so changes made while the batch yields to events apply from then on.
    // Besides yielding before each descent of a folder search, the batch yields when a while has
    // passed since it last did, as now tells the time (see EventPacer).
    BatchListing(const Options& options, CheckBoxReader readCheckSiji, EventPump& pump,
                 MessageBox& messageBox, EventPacer::TimeSource now = EventPacer::Clock::now);

    // Lists entries 1 to n of FileTable into the grid. sTrim is read at each row (callers pass
    // the shared OptTrim itself). Shows the batch's messages through the message box.
    BatchResult DataSet_AllRow(GridModel& ctlMSFlexGrid1, const FileTable& fileTable,
                               const std::string& sTrim, bool flgOmoji);

    // The processing window's cancel button: ends the running batch at the next test.
    void cancel();
    bool isRunning() const;
    // Files found so far by the running batch, for a progress display.
    long long filesFound() const;

private:
    const Options& m_options;
    CheckBoxReader m_readCheckSiji;
    MessageBox& m_messageBox;
    ListingControl m_control;
    std::atomic<bool> m_running{false};
};

} // namespace quiverel
