#include "listing/AnalysisPipeline.h"

#include "listing/Descriptor.h"
#include "listing/FileAnalyze.h"
#include "listing/FileSystem.h"
#include "listing/FolderPath.h"
#include "listing/NameList.h"
#include "listing/PathText.h"
#include "listing/Varint.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <system_error>

namespace quiverel {
namespace {

// Files analysed before the calling thread hears of them, within a large folder.
constexpr std::size_t publishEvery = 256;

char* writeText(char* out, std::string_view text) {
    out = varint::write(out, text.size());
    std::memcpy(out, text.data(), text.size());
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

// An analysed file: the full path, size, stamp, version and extension texts, then the length of
// the file name, which ends the full path.
std::size_t fileRecordSize(const std::string& fullPath, const FileFields& fields) {
    return textSize(fullPath) + textSize(fields.strSizeKB) + textSize(fields.strStamp) +
           textSize(fields.strVer) + textSize(fields.strKaku) +
           varint::sizeOf(fields.strFileName.size());
}

} // namespace

unsigned AnalysisPipeline::defaultThreads() {
    return std::clamp(std::thread::hardware_concurrency(), 1U, 4U);
}

AnalysisPipeline::AnalysisPipeline(bool flgOmoji, unsigned threads) : m_flgOmoji(flgOmoji) {
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
        if (analyser->thread.joinable()) {
            analyser->thread.join();
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
    if (!analyser.thread.joinable() && !analyser.onCallingThread) {
        try {
            analyser.thread = std::thread([this, &analyser] { run(analyser); });
        } catch (const std::system_error&) {
            analyser.onCallingThread = true; // no thread to be had: the folders are analysed here
        }
    }
    std::string_view job;
    if (analyser.onCallingThread && analyser.folders.take(job) && !analyseOrFail(analyser, job)) {
        analyser.folders.abandon();
    }
}

void AnalysisPipeline::close() {
    for (const auto& analyser : m_analysers) {
        analyser->folders.close();
        if (!analyser->thread.joinable()) {
            analyser->files.close();
        }
    }
}

bool AnalysisPipeline::next(AnalysedFile& file) {
    std::string_view record;
    while (true) {
        Analyser& analyser = *m_analysers[m_foldersTaken % m_analysers.size()];
        if (!analyser.files.take(record)) {
            return false; // the analyser whose turn it is has no folder left: none is left
        }
        if (!record.empty()) {
            break;
        }
        ++m_foldersTaken;
    }
    const char* in = record.data();
    in = readText(in, file.strFullPathFileName);
    in = readText(in, file.strSizeKB);
    in = readText(in, file.strStamp);
    in = readText(in, file.strVer);
    in = readText(in, file.strKaku);
    std::uint64_t nameLength = 0;
    varint::read(in, nameLength);
    const std::size_t folderLength = file.strFullPathFileName.size() - nameLength;
    file.strPathName = file.strFullPathFileName.substr(0, folderLength);
    file.strFileName = file.strFullPathFileName.substr(folderLength);
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

void AnalysisPipeline::analyseFolder(Analyser& analyser, std::string_view job) {
    std::string_view folder;
    const char* in = readText(job.data(), folder);
    std::uint64_t count = 0;
    in = varint::read(in, count);
    const std::string folderText(folder);
    // Opened only to reach the folder's files by name; without it they are reached by path.
    fs::Descriptor folderFd = fs::openPath(folderText, O_PATH | O_DIRECTORY);
    // The native and the display text of the folder with its separator, the same for all its
    // files.
    std::string nativePrefix = folderText;
    appendName(nativePrefix, std::string_view());
    std::string prefix;
    appendDisplayText(prefix, folderText);
    appendName(prefix, std::string_view());
    std::string nativePath;
    std::string fullPath;
    FileFields fields;
    for (std::uint64_t i = 0; i < count && !analyser.folders.abandoned(); ++i) {
        std::string_view name;
        in = readText(in, name) + 1;
        nativePath.assign(nativePrefix).append(name);
        fullPath.assign(prefix);
        appendDisplayText(fullPath, name);
        // Each name is followed by a NUL.
        FileAnalyze(fs::FileRef::inFolder(folderFd, name.data(), nativePath), fullPath, fields,
                    m_flgOmoji);

        char* out = analyser.files.room(fileRecordSize(fullPath, fields));
        out = writeText(out, fullPath);
        out = writeText(out, fields.strSizeKB);
        out = writeText(out, fields.strStamp);
        out = writeText(out, fields.strVer);
        out = writeText(out, fields.strKaku);
        varint::write(out, fields.strFileName.size());
        if ((i + 1) % publishEvery == 0) {
            analyser.files.publish();
        }
    }
    analyser.files.room(0);
    analyser.files.publish();
}

} // namespace quiverel
