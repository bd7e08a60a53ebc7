#include "listing/AnalysisPipeline.h"

#include "listing/FileAnalyze.h"
#include "listing/FileSystem.h"
#include "listing/FolderPath.h"
#include "listing/PathText.h"
#include "listing/Varint.h"

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace quiverel {
namespace {

constexpr std::size_t blockSize = std::size_t{1} << 20;
// Files analysed before the calling thread hears of them, within a large folder.
constexpr std::size_t publishEvery = 256;
constexpr std::size_t stillFilling = static_cast<std::size_t>(-1);

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

// A record holds the full path, size, stamp, version and extension texts, each after its
// length, then the length of the file name, which ends the full path.
std::size_t recordSize(const std::string& fullPath, const FileFields& fields) {
    std::size_t size = varint::sizeOf(fields.strFileName.size());
    for (const std::string* text :
         {&fullPath, &fields.strSizeKB, &fields.strStamp, &fields.strVer, &fields.strKaku}) {
        size += varint::sizeOf(text->size()) + text->size();
    }
    return size;
}

char* writeText(char* out, const std::string& text) {
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

} // namespace

AnalysisPipeline::AnalysisPipeline(bool flgOmoji) : m_flgOmoji(flgOmoji) {}

AnalysisPipeline::~AnalysisPipeline() {
    {
        const std::lock_guard lock(m_mutex);
        m_abandoned = true;
    }
    m_jobsWaiting.notify_one();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void AnalysisPipeline::add(const std::string& folder, NameList files) {
    {
        const std::lock_guard lock(m_mutex);
        m_jobs.push_back({folder, std::move(files)});
    }
    if (!m_thread.joinable()) {
        m_thread = std::thread([this] { run(); });
    }
    m_jobsWaiting.notify_one();
}

void AnalysisPipeline::close() {
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
        if (!m_thread.joinable()) {
            m_finished = true;
        }
    }
    m_jobsWaiting.notify_one();
}

bool AnalysisPipeline::next(AnalysedFile& file) {
    {
        std::unique_lock lock(m_mutex);
        m_filesReady.wait(lock, [this] { return m_published > m_taken || m_finished; });
        if (m_failure) {
            std::rethrow_exception(m_failure);
        }
        if (m_published == m_taken) {
            return false;
        }
        // Blocks wholly taken go back to the system.
        while (m_blocks.front().end == m_readOffset) {
            m_blocks.pop_front();
            m_readOffset = 0;
        }
    }
    const char* const record = m_blocks.front().memory.data() + m_readOffset;
    const char* in = record;
    in = readText(in, file.strFullPathFileName);
    in = readText(in, file.strSizeKB);
    in = readText(in, file.strStamp);
    in = readText(in, file.strVer);
    in = readText(in, file.strKaku);
    std::uint64_t nameLength = 0;
    m_readOffset += static_cast<std::size_t>(varint::read(in, nameLength) - record);
    const std::size_t folderLength = file.strFullPathFileName.size() - nameLength;
    file.strPathName = file.strFullPathFileName.substr(0, folderLength);
    file.strFileName = file.strFullPathFileName.substr(folderLength);
    ++m_taken;
    return true;
}

void AnalysisPipeline::run() {
    try {
        Scratch scratch;
        while (true) {
            FolderJob job;
            {
                std::unique_lock lock(m_mutex);
                m_jobsWaiting.wait(lock,
                                   [this] { return !m_jobs.empty() || m_closed || m_abandoned; });
                if (m_abandoned || m_jobs.empty()) {
                    break;
                }
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            analyseFolder(job, scratch);
            publish();
        }
    } catch (...) {
        const std::lock_guard lock(m_mutex);
        m_failure = std::current_exception();
    }
    {
        const std::lock_guard lock(m_mutex);
        m_finished = true;
    }
    m_filesReady.notify_one();
}

void AnalysisPipeline::analyseFolder(const FolderJob& job, Scratch& scratch) {
    const FolderHandle folder(job.folder);
    // The display text of the folder with its separator, the same for all its files.
    std::string& prefix = scratch.prefix;
    prefix.clear();
    appendDisplayText(prefix, job.folder);
    appendName(prefix, std::string_view());
    std::string& fullPath = scratch.fullPath;
    FileFields& fields = scratch.fields;
    for (std::size_t i = 0; i < job.files.size(); ++i) {
        if (m_abandoned.load(std::memory_order_relaxed)) {
            return;
        }
        const std::string_view name = job.files[i];
        fullPath.assign(prefix);
        appendDisplayText(fullPath, name);
        // The names of a NameList end in a NUL.
        FileAnalyze(fs::FileRef::inFolder(folder.fd(), name.data()), fullPath, fields, m_flgOmoji);

        char* out = roomFor(recordSize(fullPath, fields));
        out = writeText(out, fullPath);
        out = writeText(out, fields.strSizeKB);
        out = writeText(out, fields.strStamp);
        out = writeText(out, fields.strVer);
        out = writeText(out, fields.strKaku);
        m_writeAt = varint::write(out, fields.strFileName.size());
        if (++m_unpublished >= publishEvery) {
            publish();
        }
    }
}

char* AnalysisPipeline::roomFor(std::size_t bytes) {
    if (static_cast<std::size_t>(m_writeEnd - m_writeAt) < bytes) {
        MappedBlock memory(std::max(blockSize, bytes));
        const std::lock_guard lock(m_mutex);
        if (!m_blocks.empty()) {
            m_blocks.back().end =
                static_cast<std::size_t>(m_writeAt - m_blocks.back().memory.data());
        }
        m_writeAt = memory.data();
        m_writeEnd = memory.data() + memory.size();
        m_blocks.push_back({std::move(memory), stillFilling});
    }
    return m_writeAt;
}

void AnalysisPipeline::publish() {
    if (m_unpublished == 0) {
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_published += m_unpublished;
    }
    m_unpublished = 0;
    m_filesReady.notify_one();
}

} // namespace quiverel
