#include "listing/ListFiles.h"

#include "listing/FactTexts.h"
#include "listing/FileFacts.h"
#include "listing/FolderSearch.h"
#include "listing/ListingControl.h"
#include "listing/PathText.h"
#include "listing/RowTexts.h"
#include "listing/WildcardPattern.h"
#include "listing/detail/AnalysisPipeline.h"
#include "listing/detail/FileDigest.h"
#include "listing/detail/ListingFailure.h"
#include "listing/detail/NameList.h"
#include "platform/files/FileSystem.h"

#include <new>
#include <optional>

namespace quiverel {
namespace {

bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

// The folder without the trim text when it stands, in exactly this case, at the very start.
std::string_view trimmedFolder(std::string_view folder, std::string_view trim) {
    if (!trim.empty() && folder.starts_with(trim)) {
        folder.remove_prefix(trim.size());
    }
    return folder;
}

WildcardPattern usablePattern(const std::string& pattern) {
    std::optional<WildcardPattern> parsed = WildcardPattern::parse(pattern);
    if (!parsed) {
        throw ListingFailure(std::string(),
                             "the target file pattern \"" + pattern + "\" cannot be used");
    }
    return std::move(*parsed);
}

// One pattern of all the exclusions; none when there are none. A blank exclusion passes over
// nothing (unlike a blank target pattern, which stands for every file).
std::optional<WildcardPattern> exclusionPattern(const std::vector<std::string>& exclusions) {
    std::string joined;
    for (const std::string& exclusion : exclusions) {
        if (!WildcardPattern::isBlank(exclusion)) {
            joined += joined.empty() ? "" : ";";
            joined += exclusion;
        }
    }
    if (joined.empty()) {
        return std::nullopt;
    }
    std::optional<WildcardPattern> parsed = WildcardPattern::parse(joined);
    if (!parsed) {
        throw ListingFailure(std::string(),
                             "the exclusion pattern \"" + joined + "\" cannot be used");
    }
    return parsed;
}

// Hands the rows of one listing to its sink: passes over a file without time stamp, noting it in
// the outcome, trims the folder as the options say at that moment, empties the columns not
// chosen, and counts the rows.
class RowWriter {
public:
    RowWriter(const ListingRequest& request, RowSink& sink, ListingOutcome& outcome)
        : m_request(request), m_sink(sink), m_outcome(outcome) {}

    void write(const RowTexts& texts, const RowFacts& facts) {
        if (isBlank(texts[cell::stamp])) {
            if (m_outcome.firstPassedOver.size() < ListingOutcome::passedOverNamed) {
                m_outcome.firstPassedOver.emplace_back(texts[cell::fullPath]);
            }
            ++m_outcome.passedOver;
            return;
        }
        RowTexts row = texts;
        row[cell::folder] = trimmedFolder(row[cell::folder], m_request.options.trim());
        for (std::size_t k = 0; k < row.size(); ++k) {
            if (!m_request.columns[k]) {
                row[k] = std::string_view();
            }
        }
        m_sink.addFile(row, facts);
        ++m_rows;
    }

    std::int32_t rows() const { return m_rows; }

private:
    const ListingRequest& m_request;
    RowSink& m_sink;
    ListingOutcome& m_outcome;
    std::int32_t m_rows = 0;
};

// One listing's walk over its entries: a file given is listed at once, a folder searched and its
// files analysed aside. Failures are thrown; handling names the native path being handled.
class Listing {
public:
    Listing(const ListingRequest& request, ListingControl& control, RowSink& sink,
            RowWriter& writer, const std::string*& handling)
        : m_request(request), m_control(control), m_sink(sink), m_writer(writer),
          m_handling(handling), m_pattern(usablePattern(request.pattern)),
          m_passOver(exclusionPattern(request.exclusions)) {}

    // Lists the entries in order, until the cancel flag is raised.
    void run() {
        m_control.clearCancel();
        m_sink.begin();
        // Events get through before each descent of a search and, where no descent comes for a
        // while (a huge folder, the rows of a large one, many entries), now and then; the cancel
        // flag is tested right after.
        m_control.pacer().restart();
        for (const std::string& nativePath : m_request.entries) {
            m_control.pacer().processEventsWhenDue();
            if (cancelled()) {
                break;
            }
            listEntry(nativePath);
        }
    }

    bool cancelled() const { return m_control.cancelFlag(); }

private:
    // A path given: a file is listed, a folder searched when sub-folders are; one that cannot
    // be reached is passed over when the request allows it.
    void listEntry(const std::string& nativePath) {
        m_handling = &nativePath;
        fs::FileStatus status;
        const int error = fs::statPath(nativePath, status);
        if (error != 0) {
            if (!m_request.passOverUnreachable || fs::isShortOfResources(error)) {
                throw ListingFailure(toDisplayText(nativePath), fs::errorText(error));
            }
            m_request.passOverUnreachable(toDisplayText(nativePath), fs::errorText(error));
            return;
        }
        if (status.kind != fs::FileKind::Folder) {
            m_control.countFound(1);
            listFile(nativePath);
        } else if (m_request.options.searchSubfolders()) {
            listFolder(nativePath);
        }
    }

    void listFile(const std::string& nativePath) {
        m_handling = &nativePath;
        const fs::FileRef file = fs::FileRef::atPath(nativePath);
        analyseFile(file, toDisplayText(nativePath), m_request.upperCase, m_facts);
        if (m_request.contentDigest) {
            digestFile(file, m_request.contentDigest, m_digest);
        }
        const std::string_view invalidPath =
            isValidUtf8(nativePath) ? std::string_view() : std::string_view(nativePath);
        m_writer.write(m_texts.of(m_facts), rowFactsOf(m_facts, invalidPath, m_digest));
        m_handling = nullptr;
    }

    // A folder's files are analysed on other threads while the search goes on; their rows are
    // written here, in search order, once the search of the folder has ended.
    void listFolder(const std::string& nativePath) {
        AnalysisPipeline pipeline(m_request.upperCase, AnalysisPipeline::defaultThreads(),
                                  m_request.contentDigest);
        searchFolder(
            m_pattern, nativePath, m_control,
            [&](const std::string& folder, const NameList& files) {
                if (cancelled()) {
                    return false;
                }
                m_control.countFound(static_cast<long long>(files.size()));
                pipeline.add(folder, files);
                return true;
            },
            m_passOver ? &*m_passOver : nullptr, m_request.passOverUnreachable);
        pipeline.close();
        writeRows(pipeline);
    }

    void writeRows(AnalysisPipeline& pipeline) {
        RowTexts row;
        RowFacts rowFacts;
        while (!cancelled() && pipeline.next(row, rowFacts)) {
            try {
                m_writer.write(row, rowFacts);
            } catch (const std::exception& failure) {
                throw ListingFailure(std::string(row[cell::fullPath]), failureReason(failure));
            }
            m_control.pacer().processEventsWhenDue();
        }
    }

    const ListingRequest& m_request;
    ListingControl& m_control;
    RowSink& m_sink;
    RowWriter& m_writer;
    const std::string*& m_handling;
    const WildcardPattern m_pattern;
    const std::optional<WildcardPattern> m_passOver;
    FileFacts m_facts;
    FactTexts m_texts;
    std::string m_digest;
};

} // namespace

std::string failureReason(const std::exception& failure) {
    return dynamic_cast<const std::bad_alloc*>(&failure) != nullptr ? "out of memory"
                                                                    : failure.what();
}

ListingOutcome listFiles(const ListingRequest& request, ListingControl& control, RowSink& sink) {
    ListingOutcome outcome;
    control.resetFound();
    RowWriter writer(request, sink, outcome);
    // The native path being handled, named when the listing fails.
    const std::string* handling = nullptr;
    try {
        Listing listing(request, control, sink, writer, handling);
        listing.run();
        outcome.rows = writer.rows();
        if (listing.cancelled()) {
            outcome.kind = ListingOutcome::Kind::Cancelled;
        } else {
            outcome.kind = outcome.rows == 0 ? ListingOutcome::Kind::NothingFound
                                             : ListingOutcome::Kind::Listed;
        }
        return outcome;
    } catch (const ListingFailure& failure) {
        outcome.failedPath = failure.path();
        outcome.reason = failure.what();
    } catch (const std::exception& failure) {
        outcome.reason = failureReason(failure);
        try {
            outcome.failedPath = handling ? toDisplayText(*handling) : std::string();
        } catch (const std::bad_alloc&) {
            outcome.failedPath.clear(); // memory is short even for naming the path
        }
    }
    outcome.kind = ListingOutcome::Kind::Failed;
    outcome.rows = writer.rows();
    return outcome;
}

} // namespace quiverel
