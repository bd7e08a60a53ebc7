#pragma once

#include "listing/ListingControl.h"
#include "listing/ListingOutcome.h"
#include "listing/ListingRequest.h"
#include "window/FileTable.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quiverel {

class EventPump;
class GridModel;
class MessageBox;
struct Options;

// How a batch ended.
struct BatchResult {
    enum class Outcome {
        Listed,       // rows were written, sorted and numbered
        NothingFound, // no row was written; the "no files" message was shown
        Failed,       // the batch stopped at a failure; the "wrong target" message was shown
        Refused,      // another batch was running; nothing changed
    };
    Outcome outcome = Outcome::NothingFound;
    std::int32_t rowsWritten = 0;
    bool cancelled = false; // the cancel flag ended the batch early (rows sorted and numbered)
    std::string failedPath; // for Failed: the display text of the path concerned, if any
    std::string reason;     // for Failed: the system's reason, or "out of memory"
    // Files passed over because their time stamps could not be read, and the display texts of
    // the first few of them, in the order they were met.
    long long passedOver = 0;
    std::vector<std::string> firstPassedOver;
    static constexpr std::size_t passedOverNamed = ListingOutcome::passedOverNamed;
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
