#include "listing/detail/AnalysisPipeline.h"
#include "listing/LetterCase.h"

#include "kit/Varint.h"
#include "listing/FactTexts.h"
#include "listing/FileFacts.h"
#include "listing/PathText.h"
#include "listing/detail/FileDigest.h"
#include "listing/detail/FolderPath.h"
#include "listing/detail/NameList.h"
#include "listing/detail/VersionReadAhead.h"
#include "platform/files/FileSystem.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace quiverel {
namespace {

// Files analysed before the calling thread hears of them, within a large folder.
constexpr std::size_t publishEvery = 256;

char* writeText(char* out, std::string_view text) {
    out = varint::write(out, text.size());
    if (!text.empty()) { // an empty view may point nowhere
        std::memcpy(out, text.data(), text.size());
    }
    return out + text.size();
}

const char* readText(const char* in, std::string_view& text) {
    std::uint64_t length = 0;
    in = varint::read(in, length);
    text = {in, length};
    return in + length;
}

std::size_t textSize(std::string_view text) {
    return varint::sizeOf(text.size()) + text.size();
}

// A folder waiting for analysis: its text, the number of names, then each name followed by a
// NUL, as the system calls want it.
std::size_t folderRecordSize(const std::string& folder, const NameList& files) {
    std::size_t size = textSize(folder) + varint::sizeOf(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        size += textSize(files[i]) + 1;
    }
    return size;
}

template <typename Value> char* writeOptional(char* out, const std::optional<Value>& value) {
    *out++ = value ? 1 : 0;
    if (value) {
        std::memcpy(out, &*value, sizeof(Value));
        out += sizeof(Value);
    }
    return out;
}

template <typename Value> const char* readOptional(const char* in, std::optional<Value>& value) {
    value.reset();
    if (*in++ != 0) {
        value.emplace();
        std::memcpy(&*value, in, sizeof(Value));
        in += sizeof(Value);
    }
    return in;
}

template <typename Value> std::size_t optionalSize(const std::optional<Value>& value) {
    return 1 + (value ? sizeof(Value) : 0);
}

// An analysed file: how much of its folder's shared text its full path starts with, the rest of
// the full path, the size, stamp, version and extension texts, the length of the file name,
// which ends the full path, then the facts: size in bytes, time stamp, version numbers, the
// native path when it is not the display text, the digest.
std::size_t fileRecordSize(const RowTexts& row, const RowFacts& facts, std::size_t shared) {
    return varint::sizeOf(shared) + textSize(row[cell::fullPath].substr(shared)) +
           textSize(row[cell::size]) + textSize(row[cell::stamp]) + textSize(row[cell::version]) +
           textSize(row[cell::extension]) + varint::sizeOf(row[cell::fileName].size()) +
           varint::sizeOf(static_cast<std::uint64_t>(facts.sizeBytes)) +
           optionalSize(facts.modified) + optionalSize(facts.version) + textSize(facts.nativePath) +
           textSize(facts.digest);
}

// Writes a file's record, fileRecordSize bytes: the full path after the shared bytes kept for
// its folder, the row's other texts, the length of its file name and its facts.
void writeFileRecord(char* out, const RowTexts& row, const RowFacts& facts, std::size_t kept) {
    out = varint::write(out, kept);
    out = writeText(out, row[cell::fullPath].substr(kept));
    out = writeText(out, row[cell::size]);
    out = writeText(out, row[cell::stamp]);
    out = writeText(out, row[cell::version]);
    out = writeText(out, row[cell::extension]);
    out = varint::write(out, row[cell::fileName].size());
    out = varint::write(out, static_cast<std::uint64_t>(facts.sizeBytes));
    out = writeOptional(out, facts.modified);
    out = writeOptional(out, facts.version);
    out = writeText(out, facts.nativePath);
    writeText(out, facts.digest);
}

// The executables of a folder's names (each followed by a NUL) have their first pages asked
// for before the files are analysed one by one.
void askForVersionPages(const fs::Descriptor& folder, const char* names, std::uint64_t count) {
    for (std::uint64_t i = 0; i < count; ++i) {
        std::string_view name;
        names = readText(names, name) + 1;
        readAheadVersion(folder, name.data(), name);
    }
}

} // namespace

unsigned AnalysisPipeline::defaultThreads() {
    return std::clamp(std::thread::hardware_concurrency(), 1U, 4U);
}

AnalysisPipeline::AnalysisPipeline(bool upperCase, unsigned threads, ContentDigest contentDigest)
    : m_upperCase(upperCase), m_contentDigest(std::move(contentDigest)) {
    for (unsigned i = 0; i < std::max(threads, 1U); ++i) {
        m_analysers.push_back(std::make_unique<Analyser>());
    }
}

AnalysisPipeline::~AnalysisPipeline() {
    for (const auto& analyser : m_analysers) {
        analyser->folders.abandon();
        analyser->files.abandon();
    }
    for (const auto& analyser : m_analysers) {
        if (analyser->thread) {
            analyser->thread->join();
        }
    }
}

void AnalysisPipeline::add(const std::string& folder, const NameList& files) {
    Analyser& analyser = *m_analysers[m_foldersAdded % m_analysers.size()];
    char* out = analyser.folders.room(folderRecordSize(folder, files));
    out = writeText(out, folder);
    out = varint::write(out, files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        out = writeText(out, files[i]);
        *out++ = '\0';
    }
    analyser.folders.publish();
    ++m_foldersAdded;
    if (!analyser.thread) {
        analyser.thread = std::make_unique<AsideThread>([this, &analyser] { run(analyser); });
        // No thread to be had: the folders are analysed here.
        analyser.onCallingThread = !analyser.thread->started();
    }
    std::string_view job;
    if (analyser.onCallingThread && analyser.folders.take(job) && !analyseOrFail(analyser, job)) {
        analyser.folders.abandon();
    }
}

void AnalysisPipeline::close() {
    for (const auto& analyser : m_analysers) {
        analyser->folders.close();
        // No thread of its own to close them: none was needed, or none could be had.
        if (!analyser->thread || analyser->onCallingThread) {
            analyser->files.close();
        }
    }
}

bool AnalysisPipeline::next(RowTexts& row, RowFacts& facts) {
    std::string_view record;
    while (true) {
        Analyser& analyser = *m_analysers[m_foldersTaken % m_analysers.size()];
        if (!analyser.files.take(record)) {
            return false; // the analyser whose turn it is has no folder left: none is left
        }
        if (record.empty()) {
            ++m_foldersTaken;
            m_folderTextTaken = false;
        } else if (!m_folderTextTaken) {
            std::string_view folderText;
            readText(record.data(), folderText);
            m_folderText.assign(folderText);
            m_folderTextTaken = true;
        } else {
            break;
        }
    }
    const char* in = record.data();
    std::uint64_t shared = 0;
    in = varint::read(in, shared);
    std::string_view rest;
    in = readText(in, rest);
    m_fullPath.assign(m_folderText, 0, shared);
    m_fullPath.append(rest);
    in = readText(in, row[cell::size]);
    in = readText(in, row[cell::stamp]);
    in = readText(in, row[cell::version]);
    in = readText(in, row[cell::extension]);
    std::uint64_t nameLength = 0;
    in = varint::read(in, nameLength);
    std::uint64_t sizeBytes = 0;
    in = varint::read(in, sizeBytes);
    facts.sizeBytes = static_cast<std::int64_t>(sizeBytes);
    in = readOptional(in, facts.modified);
    in = readOptional(in, facts.version);
    in = readText(in, facts.nativePath);
    readText(in, facts.digest);
    const std::string_view fullPath = m_fullPath;
    const std::size_t folderLength = fullPath.size() - nameLength;
    row[cell::fullPath] = fullPath;
    row[cell::folder] = fullPath.substr(0, folderLength);
    row[cell::fileName] = fullPath.substr(folderLength);
    return true;
}

void AnalysisPipeline::run(Analyser& analyser) {
    std::string_view job;
    while (analyser.folders.take(job)) {
        if (!analyseOrFail(analyser, job)) {
            return;
        }
    }
    analyser.files.close();
}

bool AnalysisPipeline::analyseOrFail(Analyser& analyser, std::string_view job) {
    try {
        analyseFolder(analyser, job);
        return true;
    } catch (...) {
        analyser.files.fail(std::current_exception());
        return false;
    }
}

void AnalysisPipeline::noteWhereFilesCameFrom(Analyser& analyser, long blocksBefore) {
    if (fs::blocksReadByThisThread() > blocksBefore) {
        analyser.foldersFromMemory = 0;
    } else if (analyser.foldersFromMemory < quietFolders) {
        ++analyser.foldersFromMemory;
    }
}

void AnalysisPipeline::analyseFolder(Analyser& analyser, std::string_view job) {
    std::string_view folder;
    const char* in = readText(job.data(), folder);
    std::uint64_t count = 0;
    in = varint::read(in, count);
    const std::string folderText(folder);
    // Opened only to reach the folder's files by name; without it they are reached by path.
    fs::Descriptor folderFd = fs::openFolderBase(folderText);
    // The native and the display text of the folder with its separator, the same for all its
    // files.
    std::string nativePrefix = folderText;
    appendName(nativePrefix, std::string_view());
    std::string prefix;
    appendDisplayText(prefix, folderText);
    appendName(prefix, std::string_view());
    const bool folderValid = isValidUtf8(folderText);
    // The folder's text, kept once for its files: each file's full path starts with it.
    std::string shared = prefix;
    if (m_upperCase) {
        upperCase(shared);
    }
    writeText(analyser.files.room(textSize(shared)), shared);
    if (analyser.foldersFromMemory < quietFolders) {
        askForVersionPages(folderFd, in, count);
    }
    const long blocksBefore = fs::blocksReadByThisThread();
    std::string nativePath;
    std::string fullPath;
    std::string digest;
    FileFacts facts;
    FactTexts texts;
    for (std::uint64_t i = 0; i < count && !analyser.folders.abandoned(); ++i) {
        std::string_view name;
        in = readText(in, name) + 1;
        nativePath.assign(nativePrefix).append(name);
        fullPath.assign(prefix);
        appendDisplayText(fullPath, name);
        // Each name is followed by a NUL.
        const fs::FileRef file = fs::FileRef::inFolder(folderFd, name.data(), nativePath);
        analyseFile(file, fullPath, m_upperCase, facts);
        const RowTexts& row = texts.of(facts);
        if (m_contentDigest) {
            digestFile(file, m_contentDigest, digest);
        }
        const bool nativeIsDisplay = folderValid && isValidUtf8(name);
        const RowFacts rowFacts =
            rowFactsOf(facts, nativeIsDisplay ? std::string_view() : nativePath, digest);

        const std::size_t kept = row[cell::fullPath].starts_with(shared) ? shared.size() : 0;
        writeFileRecord(analyser.files.room(fileRecordSize(row, rowFacts, kept)), row, rowFacts,
                        kept);
        if ((i + 1) % publishEvery == 0) {
            analyser.files.publish();
        }
    }
    noteWhereFilesCameFrom(analyser, blocksBefore);
    analyser.files.room(0);
    analyser.files.publish();
}

} // namespace quiverel
