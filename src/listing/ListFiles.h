#pragma once

#include "listing/ListingOutcome.h"
#include "listing/ListingRequest.h"

namespace quiverel {

class ListingControl;
class RowSink;

// Lists the entries of the request into the sink, in order: an entry that is not a folder
// becomes one row; a folder, while the options say its sub-folders are searched, gives one row
// for each matching file in it and all its sub-folders (see searchFolder), in search order.
// A file whose time stamp cannot be read gives no row. The rows are neither sorted nor numbered.
//
// Lets events through as the control's pacer decides (before each descent of a search, and now
// and then inside long loops) and tests the cancel flag after each time. Shows nothing: an
// entry that cannot be reached, a folder that cannot be listed or a failure of the sink ends the
// listing as failed, naming the path and the system's reason (unless the request passes such
// entries and folders over: see passOverUnreachable); a pattern that cannot be used
// fails it before the sink hears of it.
ListingOutcome listFiles(const ListingRequest& request, ListingControl& control, RowSink& sink);

} // namespace quiverel
