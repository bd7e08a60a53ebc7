#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>

namespace quiverel {

// What kept a settings file from being read or written.
enum class SettingsFileProblem {
    None,
    NotAFile,       // a folder, FIFO, socket or device stands in the file's place
    TooLarge,       // larger than any settings file of this program can grow
    Unreadable,     // the file is there but cannot be read
    LockInTheWay,   // something other than a plain file stands in the lock file's place
    Locked,         // another program kept the lock for seconds
    NotWritable,    // the folder or the file cannot be written: read-only, or the disk is full
    TooLargeToSave, // the new text would be larger than a settings file may be
};

// A settings file holds seven short values; anything past this size is not one of ours.
inline constexpr qint64 maxSettingsFileSize = 1024 * 1024;

// Another program's write takes milliseconds; one that keeps the lock this long is stuck.
inline constexpr std::chrono::milliseconds settingsLockPatience{2000};

struct SettingsFileContent {
    QByteArray text; // empty for an absent file
    SettingsFileProblem problem = SettingsFileProblem::None;
};

// The file's bytes, through a link. Never waits: nothing but a regular file is read, so a FIFO
// in the file's place is recognized instead of waited on.
SettingsFileContent readSettingsFile(const QString& path);

// Replaces the file's text by change(its text) while holding the lock every program writing
// the file takes ("<path>.lock", kept for the next writer), so that a concurrent writer's values
// are merged, not lost. The new text is written to a new file that then takes the old one's
// place: a failed write leaves the old file whole. Only an absent file or a readable regular
// one that its owner may write and this user can write is replaced (NotWritable otherwise), and
// never by a text larger than the reader takes; the folders up to it are made when missing. New
// files that a save killed before it ended left beside the file are removed (see removeStaleSaves).
// A writer waits up to patience for another program's write to end, then gives up (Locked).
SettingsFileProblem rewriteSettingsFile(const QString& path,
                                        const std::function<QByteArray(const QByteArray&)>& change,
                                        std::chrono::milliseconds patience);

// A line for the log: what is wrong with the file at path, and what the program does about it.
QString settingsFileProblemText(SettingsFileProblem problem, const QString& path);

} // namespace quiverel
