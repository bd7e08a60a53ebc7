#include "settings/SettingsFile.h"

#include "platform/files/Descriptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace quiverel {
namespace {

constexpr std::chrono::milliseconds lockRetryPause{1};

bool isRegularFile(int descriptor) {
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
}

SettingsFileProblem readAll(int descriptor, QByteArray& text) {
    char buffer[16384];
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return SettingsFileProblem::Unreadable;
        }
        if (count == 0) {
            return SettingsFileProblem::None;
        }
        text.append(buffer, count);
        // The file may have grown since it was looked at.
        if (text.size() > maxSettingsFileSize) {
            return SettingsFileProblem::TooLarge;
        }
    }
}

// The two bytes of the lock file writers lock, one after the other.
enum LockByte : off_t { turnstile = 0, writing = 1 };

// Locks or unlocks one byte of the lock file. The lock belongs to the open file, not to the
// process, and the system lets go of it when the file is closed, also when a program dies
// holding it: a lock is never left stale.
bool setByteLock(int descriptor, LockByte byte, short type) {
    struct flock region {};
    region.l_type = type;
    region.l_whence = SEEK_SET;
    region.l_start = byte;
    region.l_len = 1;
    return ::fcntl(descriptor, F_OFD_SETLK, &region) == 0;
}

bool waitForByte(int descriptor, LockByte byte, std::chrono::steady_clock::time_point giveUp) {
    while (!setByteLock(descriptor, byte, F_WRLCK)) {
        if (std::chrono::steady_clock::now() >= giveUp) {
            return false;
        }
        std::this_thread::sleep_for(lockRetryPause);
    }
    return true;
}

// Takes the write lock of "<path>.lock". A writer first passes the turnstile and leaves it only
// once it holds the write lock: a writer kept waiting keeps the turnstile, so one that has just
// written cannot take the write lock again before it, however fast it writes.
SettingsFileProblem takeLock(const QString& path, std::chrono::milliseconds patience,
                             std::optional<fs::Descriptor>& lock) {
    // Non-blocking and not through a link: a FIFO, folder or link there is recognized.
    lock.emplace(::open(QFile::encodeName(path + QStringLiteral(".lock")).constData(),
                        O_RDWR | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!lock->isOpen()) {
        const bool inTheWay = errno == EISDIR || errno == ELOOP || errno == ENXIO;
        return inTheWay ? SettingsFileProblem::LockInTheWay : SettingsFileProblem::NotWritable;
    }
    if (!isRegularFile(lock->get())) {
        return SettingsFileProblem::LockInTheWay;
    }
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    if (!waitForByte(lock->get(), turnstile, giveUp) ||
        !waitForByte(lock->get(), writing, giveUp)) {
        return SettingsFileProblem::Locked;
    }
    setByteLock(lock->get(), turnstile, F_UNLCK);
    return SettingsFileProblem::None;
}

// The new file a save writes before it takes the old one's place is named "<file>.XXXXXX",
// six letters or digits. A save makes it and moves it into place while it holds the write lock,
// so a file of that name found by a save that holds the lock is not being written by any other
// copy of this program: it is the rest of a save that was killed. It is removed when it is a
// regular file of this user that nothing has written to for a minute, which also leaves alone
// the new file of a program that writes the file without this lock (QSettings), since no save
// takes that long.
void removeStaleSaves(const QString& path) {
    constexpr auto staleAfter = std::chrono::minutes(1);
    const QFileInfo file(path);
    if (file.isSymLink()) {
        return; // the saves went beside the file the link leads to, which is not ours to tidy
    }
    const QDir folder = file.dir();
    const QString prefix = file.fileName() + QLatin1Char('.');
    const auto now = std::chrono::system_clock::now();
    for (const QString& name : folder.entryList({prefix + QStringLiteral("??????")},
                                                QDir::Files | QDir::Hidden | QDir::System)) {
        const QString suffix = name.mid(prefix.size());
        const bool savedName = std::all_of(suffix.begin(), suffix.end(), [](QChar c) {
            return c.unicode() < 0x80 && std::isalnum(c.unicode());
        });
        const QByteArray leftover = QFile::encodeName(folder.filePath(name));
        struct stat status {};
        if (!savedName || ::lstat(leftover.constData(), &status) != 0 || !S_ISREG(status.st_mode) ||
            status.st_uid != ::geteuid() ||
            now - std::chrono::system_clock::from_time_t(status.st_mtime) < staleAfter) {
            continue;
        }
        ::unlink(leftover.constData());
    }
}

// A file its owner has made read-only (mode 444), or one this user may not write, is a file the
// user wants kept as it is. Such a file could still be replaced, since the new file takes the
// old one's place in the folder, not in the file: a save must not do that. The owner's write
// bit is looked at too because the system lets root write any file.
bool isWritableFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::stat(name.constData(), &status) != 0) {
        return errno == ENOENT; // a file still to be made
    }
    return (status.st_mode & S_IWUSR) != 0 &&
           ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) == 0;
}

} // namespace

SettingsFileContent readSettingsFile(const QString& path) {
    const fs::Descriptor file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.isOpen()) {
        switch (errno) {
        case ENOENT:
        case ENOTDIR:
            return {};
        case ENXIO: // a socket
            return {{}, SettingsFileProblem::NotAFile};
        default:
            return {{}, SettingsFileProblem::Unreadable};
        }
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        return {{}, SettingsFileProblem::Unreadable};
    }
    if (!S_ISREG(status.st_mode)) {
        return {{}, SettingsFileProblem::NotAFile};
    }
    if (status.st_size > maxSettingsFileSize) {
        return {{}, SettingsFileProblem::TooLarge};
    }
    SettingsFileContent content;
    content.problem = readAll(file.get(), content.text);
    if (content.problem != SettingsFileProblem::None) {
        content.text.clear();
    }
    return content;
}

SettingsFileProblem rewriteSettingsFile(const QString& path,
                                        const std::function<QByteArray(const QByteArray&)>& change,
                                        std::chrono::milliseconds patience) {
    // What must be left alone is recognized before anything, a lock file too, is made.
    if (const SettingsFileProblem problem = readSettingsFile(path).problem;
        problem != SettingsFileProblem::None) {
        return problem;
    }
    if (!isWritableFile(path)) {
        return SettingsFileProblem::NotWritable;
    }
    if (!QDir().mkpath(QFileInfo(path).path())) {
        return SettingsFileProblem::NotWritable;
    }
    std::optional<fs::Descriptor> lock;
    if (const SettingsFileProblem problem = takeLock(path, patience, lock);
        problem != SettingsFileProblem::None) {
        return problem;
    }
    // Read under the lock: what another program wrote a moment ago is kept.
    const SettingsFileContent old = readSettingsFile(path);
    if (old.problem != SettingsFileProblem::None) {
        return old.problem;
    }
    removeStaleSaves(path);
    const QByteArray text = change(old.text);
    if (text.size() > maxSettingsFileSize) {
        return SettingsFileProblem::TooLargeToSave;
    }
    QSaveFile file(path);
    // Where no new file can be made beside the old one, the write fails: it never goes in place.
    file.setDirectWriteFallback(false);
    // commit() misses a failed flush of the buffer (a full disk) and would put a cut file in
    // place: the flush here catches it, and the unfinished new file is thrown away.
    const bool written = file.open(QIODevice::WriteOnly) && file.write(text) == text.size() &&
                         file.flush() && file.commit();
    return written ? SettingsFileProblem::None : SettingsFileProblem::NotWritable;
}

QString settingsFileProblemText(SettingsFileProblem problem, const QString& path) {
    const QString leftAlone = QStringLiteral(": the defaults are used, settings are not saved, "
                                             "and the file is left as it is.");
    switch (problem) {
    case SettingsFileProblem::None:
        break;
    case SettingsFileProblem::NotAFile:
        return QStringLiteral("The settings file %1 is not a regular file").arg(path) + leftAlone;
    case SettingsFileProblem::TooLarge:
        return QStringLiteral("The settings file %1 is larger than %2 bytes")
                   .arg(path)
                   .arg(maxSettingsFileSize) +
               leftAlone;
    case SettingsFileProblem::Unreadable:
        return QStringLiteral("The settings file %1 cannot be read").arg(path) + leftAlone;
    case SettingsFileProblem::LockInTheWay:
        return QStringLiteral("The lock file %1.lock is not a regular file: settings are not "
                              "saved until it is removed.")
            .arg(path);
    case SettingsFileProblem::Locked:
        return QStringLiteral("The settings file %1 stayed locked by another program: the "
                              "settings were not saved.")
            .arg(path);
    case SettingsFileProblem::NotWritable:
        return QStringLiteral("The settings file %1 cannot be written (a read-only folder or "
                              "file, or a full disk): the settings were not saved.")
            .arg(path);
    case SettingsFileProblem::TooLargeToSave:
        return QStringLiteral("The settings would make %1 larger than %2 bytes: they were not "
                              "saved.")
            .arg(path)
            .arg(maxSettingsFileSize);
    }
    return {};
}

} // namespace quiverel
