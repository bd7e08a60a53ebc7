#include "cli/ListerRun.h"

#include "cli/ConsolePlatform.h"
#include "cli/ListerTexts.h"
#include "cli/TableFormat.h"
#include "listing/AbsolutePath.h"
#include "listing/BatchListing.h"
#include "listing/DataSet_RowMidashi.h"
#include "listing/GridModel.h"
#include "listing/Options.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace quiverel::cli {
namespace {

constexpr std::size_t flushThreshold = std::size_t{64} << 10;

// The working directory, or an empty text when it cannot be told (relative paths then stay
// relative and the batch reports them).
std::string workingDirectory() {
    std::string buffer(4096, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return std::string();
        }
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
}

FileTable fileTableOf(const std::vector<std::string>& paths) {
    const std::string cwd = workingDirectory();
    FileTable fileTable{std::string()};
    for (const std::string& path : paths) {
        fileTable.push_back(absolutePath(path, cwd));
    }
    return fileTable;
}

// Writes what the buffer holds and empties it; false when the output failed.
bool drain(std::string& buffer, std::FILE* out) {
    const bool written = std::fwrite(buffer.data(), 1, buffer.size(), out) == buffer.size();
    buffer.clear();
    return written;
}

// Writes the data rows of the grid, all eight columns, the heading row first when asked.
bool writeGrid(const GridModel& grid, const ListerSettings& settings, std::FILE* out) {
    std::string buffer;
    buffer.reserve(flushThreshold + 4096);
    std::array<std::string_view, 8> cells;
    const OutputTarget target =
        ::isatty(::fileno(out)) ? OutputTarget::Terminal : OutputTarget::File;
    bool written = true;
    for (std::int32_t row = settings.header ? 0 : 1; row < grid.Rows() && written; ++row) {
        for (std::size_t col = 0; col < cells.size(); ++col) {
            cells[col] = grid.TextMatrix(row, static_cast<std::int32_t>(col));
        }
        appendRow(buffer, settings.format, target, cells);
        if (buffer.size() >= flushThreshold) {
            written = drain(buffer, out);
        }
    }
    written = written && drain(buffer, out);
    return std::fflush(out) == 0 && written;
}

// Says on standard error how many files were passed over because their time stamps could not
// be read, and names the first few (escaped like a cell, so each name keeps to the line).
void reportPassedOver(const BatchResult& result) {
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
    Options options;
    options.OptFolder = settings.optFolder;
    options.OptFindFiles = settings.pattern;
    options.OptTrim = settings.trim;

    GridModel grid;
    DataSet_RowMidashi(grid);
    StandardErrorMessageBox messageBox;
    NoEventPump pump;
    BatchListing batch(
        options, [&settings] { return settings.columns; }, pump, messageBox);
    const BatchResult result = batch.DataSet_AllRow(grid, fileTableOf(settings.paths),
                                                    options.OptTrim, settings.upperCase);
    if (result.outcome == BatchResult::Outcome::Failed) {
        // Escaped like cells, a path holding a line break keeps the report on its one line and
        // one holding other control characters cannot drive the terminal.
        std::string failedPath;
        appendTsvCell(failedPath, result.failedPath);
        std::string reason;
        appendTsvCell(reason, result.reason);
        std::fprintf(stderr, "%s: '%s': %s\n", texts::programName, failedPath.c_str(),
                     reason.c_str());
    }
    reportPassedOver(result);

    if (!writeGrid(grid, settings, out)) {
        std::fprintf(stderr, "%s: cannot write the output: %s\n", texts::programName,
                     std::strerror(errno));
        return exitCode::writeError;
    }
    switch (result.outcome) {
    case BatchResult::Outcome::Listed:
        return exitCode::listed;
    case BatchResult::Outcome::Failed:
        return exitCode::failed;
    default:
        return exitCode::nothingFound;
    }
}

} // namespace quiverel::cli
