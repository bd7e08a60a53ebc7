#include "cli/ListerRun.h"

#include "cli/JsonFormat.h"
#include "cli/ListerMessages.h"
#include "cli/ListerTexts.h"
#include "cli/PathList.h"
#include "cli/ProgressLine.h"
#include "cli/Sha256Digest.h"
#include "cli/TableFormat.h"
#include "cli/Terminal.h"
#include "grid/ListedRows.h"
#include "listing/AbsolutePath.h"
#include "listing/ListFiles.h"
#include "listing/ListingControl.h"
#include "listing/ListingTexts.h"

#include <utility>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <span>

namespace quiverel::cli {
namespace {

constexpr std::size_t flushThreshold = std::size_t{64} << 10;

std::vector<std::string> entriesOf(const std::vector<std::string>& paths) {
    const std::string cwd = workingDirectory();
    std::vector<std::string> entries;
    entries.reserve(paths.size());
    for (const std::string& path : paths) {
        entries.push_back(absolutePath(path, cwd));
    }
    return entries;
}

// Writes a message on standard error, its texts escaped like a cell: a path holding a line
// break keeps the report on its one line and one holding other control characters cannot
// drive the terminal.
void say(Message message, const std::vector<std::string_view>& values = {}) {
    std::vector<std::string> escaped(values.size());
    std::vector<std::string_view> views;
    for (std::size_t i = 0; i < values.size(); ++i) {
        appendTsvCell(escaped[i], values[i]);
        views.push_back(escaped[i]);
    }
    const std::string line =
        std::string(texts::programName) + ": " + messageText(userLanguage(), message, views) + '\n';
    writeText(stderr, line);
}

// The paths of the list file (when given), then those of the command line; false, with the
// reason said, when the list cannot be read.
bool gatherPaths(const ListerSettings& settings, std::vector<std::string>& paths) {
    if (!settings.pathList.empty()) {
        const bool standardInput = settings.pathList == "-";
        std::FILE* in = standardInput ? stdin : openForReading(settings.pathList);
        int error = in == nullptr ? errno : readPathList(in, settings.pathListSeparator, paths);
        if (in != nullptr && !standardInput) {
            std::fclose(in);
        }
        if (error != 0) {
            say(Message::CannotReadPathList, {settings.pathList, std::strerror(error)});
            return false;
        }
    }
    paths.insert(paths.end(), settings.paths.begin(), settings.paths.end());
    return true;
}

// The paths and folders passed over, in the order met.
using Unreachable = std::vector<std::pair<std::string, std::string>>;

ListingRequest requestOf(const ListerSettings& settings, const std::vector<std::string>& paths,
                         Unreachable& unreachable) {
    ListingRequest request;
    request.entries = entriesOf(paths);
    request.pattern = settings.pattern;
    request.exclusions = settings.exclusions;
    const bool searchSubfolders = settings.searchSubfolders;
    request.options.searchSubfolders = [searchSubfolders] {
        return searchSubfolders;
    };
    request.options.trim = [&settings] {
        return std::string_view(settings.trim);
    };
    // JSON carries the names as they are; upper case is for the tables.
    request.upperCase = settings.upperCase && settings.format != OutputFormat::Json;
    request.columns = settings.columns;
    if (settings.sha256) {
        request.contentDigest = sha256OfFile;
    }
    if (!settings.strict) {
        request.passOverUnreachable = [&unreachable](const std::string& path,
                                                     const std::string& reason) {
            unreachable.emplace_back(path, reason);
        };
    }
    return request;
}

// Writes what the buffer holds and empties it; false when the output failed.
bool drain(std::string& buffer, std::FILE* out) {
    const bool written = writeText(out, buffer);
    buffer.clear();
    return written;
}

// Writes the rows: in tsv or csv all the columns (and the hash), the heading row first
// when asked; in json one object per row.
bool writeRows(const ListedRows& rows, const ListerSettings& settings, std::FILE* out) {
    std::string buffer;
    buffer.reserve(flushThreshold + 4096);
    // The listed row's columns, then the hash.
    constexpr std::size_t hashColumn = listedColumn::count;
    std::array<std::string_view, hashColumn + 1> cells;
    const std::size_t cellCount = settings.sha256 ? hashColumn + 1 : hashColumn;
    const std::span<const std::string_view> rowCells(cells.data(), cellCount);
    const OutputTarget target = isTerminal(out) ? OutputTarget::Terminal : OutputTarget::File;
    bool written = true;
    // Each row ends with a line feed, or with NUL for consumers that split on it.
    const auto endRow = [&] {
        if (settings.nulRecords) {
            buffer.back() = '\0';
        }
    };
    if (settings.header) {
        const auto& headings =
            settings.englishHeader ? texts::englishColumnHeadings : quiverel::texts::columnHeadings;
        std::copy(std::begin(headings), std::end(headings), cells.begin());
        cells[hashColumn] = texts::hashHeading;
        appendRow(buffer, settings.format, target, rowCells);
        endRow();
    }
    for (std::size_t row = 0; row < rows.rows() && written; ++row) {
        for (std::size_t col = 0; col < listedColumn::count; ++col) {
            cells[col] = rows.cell(row, col);
        }
        if (settings.format == OutputFormat::Json) {
            appendJsonRow(buffer, rowCells, rows.facts(row), settings.columns, settings.sha256);
        } else {
            cells[hashColumn] = settings.sha256 ? rows.facts(row).digest : std::string_view();
            appendRow(buffer, settings.format, target, rowCells);
            endRow();
        }
        if (buffer.size() >= flushThreshold) {
            written = drain(buffer, out);
        }
    }
    written = written && drain(buffer, out);
    return std::fflush(out) == 0 && written;
}

// Says on standard error how many files were passed over because their time stamps could not
// be read, and names the first few (escaped like a cell, so each name keeps to the line).
void reportPassedOver(const ListingOutcome& result) {
    if (result.passedOver == 0) {
        return;
    }
    std::string note = std::string(texts::programName) + ": ";
    note += result.passedOver == 1 ? messageText(userLanguage(), Message::StampsPassedOverOne)
                                   : messageText(userLanguage(), Message::StampsPassedOverMany,
                                                 {std::to_string(result.passedOver)});
    for (std::size_t i = 0; i < result.firstPassedOver.size(); ++i) {
        note += i == 0 ? " '" : ", '";
        appendTsvCell(note, result.firstPassedOver[i]);
        note += '\'';
    }
    if (result.passedOver > static_cast<long long>(result.firstPassedOver.size())) {
        note += ", ...";
    }
    note += '\n';
    writeText(stderr, note);
}

int exitCodeOf(const ListingOutcome& result, const Unreachable& unreachable) {
    if (result.kind == ListingOutcome::Kind::Failed) {
        return exitCode::failed;
    }
    if (!unreachable.empty()) {
        return exitCode::passedOver;
    }
    return result.kind == ListingOutcome::Kind::Listed ? exitCode::listed : exitCode::nothingFound;
}

} // namespace

int runLister(const ListerSettings& settings, std::FILE* out) {
    std::vector<std::string> paths;
    if (!gatherPaths(settings, paths)) {
        return exitCode::failed;
    }
    Unreachable unreachable;
    ListedRows rows(settings.format == OutputFormat::Json || settings.sha256);
    ListingControl control;
    ProgressLine progress(settings.quiet ? nullptr : stderr,
                          [&control] { return control.filesFound(); });
    const ListingOutcome result = listFiles(requestOf(settings, paths, unreachable), control, rows);
    if (result.kind != ListingOutcome::Kind::Failed) {
        rows.sortAndNumber();
    }
    progress.end();
    for (const auto& [path, reason] : unreachable) {
        say(Message::PathPassedOver, {path, reason});
    }
    if (result.kind == ListingOutcome::Kind::Failed) {
        writeText(stderr, messageText(userLanguage(), Message::BadTarget) + '\n');
        say(Message::FailedPath, {result.failedPath, result.reason});
    } else if (result.rows == 0) {
        writeText(stderr, messageText(userLanguage(), Message::NothingFound) + '\n');
    }
    reportPassedOver(result);

    if (!writeRows(rows, settings, out)) {
        say(Message::CannotWrite, {std::strerror(errno)});
        return exitCode::writeError;
    }
    return exitCodeOf(result, unreachable);
}

} // namespace quiverel::cli
