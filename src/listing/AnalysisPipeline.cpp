#include "listing/AnalysisPipeline.h"

#include "listing/FileAnalyze.h"
#include "listing/FileSystem.h"
#include "listing/FolderPath.h"
#include "listing/NameList.h"
#include "listing/PathText.h"
#include "listing/Varint.h"

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace quiverel {
namespace {

// Files analysed before the calling thread hears of them, within a large folder.
constexpr std::size_t publishEvery = 256;

// A folder opened only to reach its files by name; closed when it goes.
class FolderHandle {
public:
    explicit FolderHandle(const std::string& folder)
        : m_fd(fs::openPath(folder, O_PATH | O_DIRECTORY)) {}
    ~FolderHandle() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    // -1 when the folder could not be opened: every query of its files then fails.
    int fd() const { return m_fd; }

private:
    int m_fd;
};

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

AnalysisPipeline::AnalysisPipeline(bool flgOmoji) : m_flgOmoji(flgOmoji) {}

AnalysisPipeline::~AnalysisPipeline() {
    m_folders.abandon();
    m_files.abandon();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void AnalysisPipeline::add(const std::string& folder, const NameList& files) {
    char* out = m_folders.room(folderRecordSize(folder, files));
    out = writeText(out, folder);
    out = varint::write(out, files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        out = writeText(out, files[i]);
        *out++ = '\0';
    }
    m_folders.publish();
    if (!m_thread.joinable()) {
        m_thread = std::thread([this] { run(); });
    }
}

void AnalysisPipeline::close() {
    m_folders.close();
    if (!m_thread.joinable()) {
        m_files.close();
    }
}

bool AnalysisPipeline::next(AnalysedFile& file) {
    std::string_view record;
    if (!m_files.take(record)) {
        return false;
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

void AnalysisPipeline::run() {
    try {
        std::string_view job;
        while (m_folders.take(job)) {
            analyseFolder(job);
            m_files.publish();
        }
        m_files.close();
    } catch (...) {
        m_files.fail(std::current_exception());
    }
}

void AnalysisPipeline::analyseFolder(std::string_view job) {
    std::string_view folder;
    const char* in = readText(job.data(), folder);
    std::uint64_t count = 0;
    in = varint::read(in, count);
    const std::string folderText(folder);
    const FolderHandle handle(folderText);
    // The display text of the folder with its separator, the same for all its files.
    std::string prefix;
    appendDisplayText(prefix, folderText);
    appendName(prefix, std::string_view());
    std::string fullPath;
    FileFields fields;
    for (std::uint64_t i = 0; i < count && !m_folders.abandoned(); ++i) {
        std::string_view name;
        in = readText(in, name) + 1;
        fullPath.assign(prefix);
        appendDisplayText(fullPath, name);
        // Each name is followed by a NUL.
        FileAnalyze(fs::FileRef::inFolder(handle.fd(), name.data()), fullPath, fields, m_flgOmoji);

        char* out = m_files.room(fileRecordSize(fullPath, fields));
        out = writeText(out, fullPath);
        out = writeText(out, fields.strSizeKB);
        out = writeText(out, fields.strStamp);
        out = writeText(out, fields.strVer);
        out = writeText(out, fields.strKaku);
        varint::write(out, fields.strFileName.size());
        if ((i + 1) % publishEvery == 0) {
            m_files.publish();
        }
    }
}

} // namespace quiverel
