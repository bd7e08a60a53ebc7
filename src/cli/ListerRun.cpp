#include "cli/ListerRun.h"

#include "cli/JsonFormat.h"
#include "cli/ListerTexts.h"
#include "cli/ProgressLine.h"
#include "cli/Sha256Digest.h"
#include "cli/TableFormat.h"
#include "grid/ListedRows.h"
#include "listing/AbsolutePath.h"
#include "listing/ListFiles.h"
#include "listing/ListingControl.h"
#include "listing/ListingTexts.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <span>
#include <unistd.h>

namespace quiverel::cli {
namespace {

constexpr std::size_t flushThreshold = std::size_t{64} << 10;

std::vector<std::string> entriesOf(const std::vector<std::string>& paths) {
    const std::string cwd = workingDirectory();
    std::vector<std::string> entries;
    for (const std::string& path : paths) {
        entries.push_back(absolutePath(path, cwd));
    }
    return entries;
}

ListingRequest requestOf(const ListerSettings& settings) {
    ListingRequest request;
    request.entries = entriesOf(settings.paths);
    request.pattern = settings.pattern;
    request.exclusions = settings.exclusions;
    const bool searchSubfolders = settings.optFolder == 1;
    request.options.searchSubfolders = [searchSubfolders] {
        return searchSubfolders;
    };
    request.options.trim = [&settings] {
        return std::string_view(settings.trim);
    };
    request.upperCase = settings.upperCase;
    request.columns = settings.columns;
    if (settings.sha256) {
        request.contentDigest = sha256OfFile;
    }
    return request;
}

// Writes what the buffer holds and empties it; false when the output failed.
bool drain(std::string& buffer, std::FILE* out) {
    const bool written = std::fwrite(buffer.data(), 1, buffer.size(), out) == buffer.size();
    buffer.clear();
    return written;
}

// Writes the rows: in tsv or csv all eight columns (nine with the hash), the heading row first
// when asked; in json one object per row.
bool writeRows(const ListedRows& rows, const ListerSettings& settings, std::FILE* out) {
    std::string buffer;
    buffer.reserve(flushThreshold + 4096);
    std::array<std::string_view, 9> cells;
    const std::size_t cellCount = settings.sha256 ? 9 : 8;
    const std::span<const std::string_view> rowCells(cells.data(), cellCount);
    const OutputTarget target =
        ::isatty(::fileno(out)) ? OutputTarget::Terminal : OutputTarget::File;
    bool written = true;
    if (settings.header) {
        std::copy(std::begin(quiverel::texts::columnHeadings),
                  std::end(quiverel::texts::columnHeadings), cells.begin());
        cells[8] = texts::hashHeading;
        appendRow(buffer, settings.format, target, rowCells);
    }
    for (std::size_t row = 0; row < rows.rows() && written; ++row) {
        for (std::size_t col = 0; col < 8; ++col) {
            cells[col] = rows.cell(row, col);
        }
        if (settings.format == OutputFormat::Json) {
            appendJsonRow(buffer, rowCells, rows.facts(row), settings.columns, settings.sha256);
        } else {
            cells[8] = settings.sha256 ? rows.facts(row).digest : std::string_view();
            appendRow(buffer, settings.format, target, rowCells);
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
    note += result.passedOver == 1 ? texts::passedOverOne
                                   : std::to_string(result.passedOver) + texts::passedOverMany;
    for (std::size_t i = 0; i < result.firstPassedOver.size(); ++i) {
        note += i == 0 ? " '" : ", '";
        appendTsvCell(note, result.firstPassedOver[i]);
        note += '\'';
    }
    if (result.passedOver > static_cast<long long>(result.firstPassedOver.size())) {
        note += ", ...";
    }
    note += '\n';
    std::fputs(note.c_str(), stderr);
}

} // namespace

int runLister(const ListerSettings& settings, std::FILE* out) {
    ListedRows rows(settings.format == OutputFormat::Json || settings.sha256);
    ListingControl control;
    ProgressLine progress(settings.quiet ? -1 : STDERR_FILENO,
                          [&control] { return control.filesFound(); });
    const ListingOutcome result = listFiles(requestOf(settings), control, rows);
    if (result.kind != ListingOutcome::Kind::Failed) {
        rows.sortAndNumber();
    }
    progress.end();
    if (result.kind == ListingOutcome::Kind::Failed) {
        // Escaped like cells, a path holding a line break keeps the report on its one line and
        // one holding other control characters cannot drive the terminal.
        std::string failedPath;
        appendTsvCell(failedPath, result.failedPath);
        std::string reason;
        appendTsvCell(reason, result.reason);
        std::fprintf(stderr, "%s\n%s: '%s': %s\n", quiverel::texts::badTarget, texts::programName,
                     failedPath.c_str(), reason.c_str());
    } else if (result.rows == 0) {
        std::fprintf(stderr, "%s\n", quiverel::texts::noFilesFound);
    }
    reportPassedOver(result);

    if (!writeRows(rows, settings, out)) {
        std::fprintf(stderr, "%s: cannot write the output: %s\n", texts::programName,
                     std::strerror(errno));
        return exitCode::writeError;
    }
    switch (result.kind) {
    case ListingOutcome::Kind::Listed:
        return exitCode::listed;
    case ListingOutcome::Kind::Failed:
        return exitCode::failed;
    default:
        return exitCode::nothingFound;
    }
}

} // namespace quiverel::cli
