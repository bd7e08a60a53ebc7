// The settings file as a user's disk may hold it: damaged, replaced by something else, out of
// reach, or written by two running programs at once. The program always starts with sound
// values, never hangs, and never leaves the file half-written.

#include "platform/files/StandardDescriptors.h"
#include "settings/QtSettingsStore.h"
#include "settings/StoredNumber.h"
#include "settings/StoredOptions.h"
#include "settings/WindowPlacement.h"
#include "support/ChildProcess.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <optional>
#include <random>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

using namespace quiverel;

namespace {

// The seven values the program holds after its start, in the text forms the client prints.
using Values = QMap<QByteArray, QByteArray>;

Values defaults() {
    return {{"OptFolder", "1"},    {"OptFindFiles", "*.*"}, {"OptTrim", ""},
            {"MainLeft", "1000"},  {"MainTop", "1000"},     {"MainWidth", "6500"},
            {"MainHeight", "6500"}};
}

Values defaultsWith(const Values& changes) {
    Values values = defaults();
    values.insert(changes);
    return values;
}

Values startValues(SettingsStore& store) {
    const Options options = readOptions(store);
    const WindowPlacement placement = readPlacement(store);
    return {{"OptFolder", QByteArray::number(options.OptFolder)},
            {"OptFindFiles", QByteArray::fromStdString(options.OptFindFiles)},
            {"OptTrim", QByteArray::fromStdString(options.OptTrim)},
            {"MainLeft", QByteArray::fromStdString(formatSingle(placement.left))},
            {"MainTop", QByteArray::fromStdString(formatSingle(placement.top))},
            {"MainWidth", QByteArray::fromStdString(formatSingle(placement.width))},
            {"MainHeight", QByteArray::fromStdString(formatSingle(placement.height))}};
}

// A text with NUL bytes in it, all of it.
template <std::size_t N> QByteArray withNuls(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}

QByteArray randomBytes(qsizetype size, unsigned seed) {
    std::mt19937 generator(seed);
    QByteArray bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(generator() & 0xff);
    }
    return bytes;
}

const QByteArray soundFile = "[Settings]\nOptFolder=0\nOptFindFiles=*.dll\nOptTrim=/srv/\n"
                             "MainLeft=120\nMainTop=240\nMainWidth=7200\nMainHeight=4800\n";

Values soundFileValues() {
    return {{"OptFolder", "0"},    {"OptFindFiles", "*.dll"}, {"OptTrim", "/srv/"},
            {"MainLeft", "120"},   {"MainTop", "240"},        {"MainWidth", "7200"},
            {"MainHeight", "4800"}};
}

// A configuration folder of its own (what $XDG_CONFIG_HOME names) and the settings file in it.
struct ConfigHome {
    QTemporaryDir dir;
    QString root() const { return dir.path(); }
    QString folder() const { return dir.filePath("Quiverel2000"); }
    QString file() const { return folder() + "/Quiverel2000.ini"; }
    QString lock() const { return file() + ".lock"; }

    void put(const QByteArray& content) const {
        QDir().mkpath(folder());
        QFile ini(file());
        QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(ini.write(content), content.size());
    }
    QByteArray content() const {
        QFile ini(file());
        return ini.open(QIODevice::ReadOnly) ? ini.readAll() : QByteArray();
    }
    // Everything below the root, links not followed: type, and the digest of each file.
    QStringList everything() const {
        QStringList entries;
        QDirIterator it(root(),
                        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo entry(it.next());
            const QString name = QDir(root()).relativeFilePath(entry.filePath());
            if (entry.isSymLink()) {
                entries << name + " -> " + entry.symLinkTarget();
            } else if (entry.isDir()) {
                entries << name + "/";
            } else if (!entry.isFile()) {
                entries << name + " (special)";
            } else {
                QFile file(entry.filePath());
                const QByteArray digest =
                    file.open(QIODevice::ReadOnly)
                        ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1)
                        : QByteArray("unreadable");
                // A file put in another's place has its own inode, and maybe its own mode.
                struct stat status {};
                ::stat(QFile::encodeName(entry.filePath()).constData(), &status);
                entries << name + " " + digest.toHex() +
                               QStringLiteral(" mode %1 inode %2")
                                   .arg(status.st_mode, 0, 8)
                                   .arg(status.st_ino);
            }
        }
        entries.sort();
        return entries;
    }
};

// What a folder holds, hidden entries too.
QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// The settings file and the lock file writers take, kept for the next writer.
const QStringList fileAndLock = {"Quiverel2000.ini", "Quiverel2000.ini.lock"};

// Empty when the file at path is a sound settings file: UTF-8 without control characters but
// line ends, every line a [section] or a key=value, the last line ended. Else what is wrong.
QString unsoundness(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return "cannot be read";
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError()) {
        return "is not UTF-8";
    }
    if (!bytes.endsWith('\n')) {
        return "does not end with a line end";
    }
    for (const QString& line : text.split('\n', Qt::SkipEmptyParts)) {
        const bool control =
            std::any_of(line.begin(), line.end(), [](QChar c) { return c.unicode() < 0x20; });
        const bool section = line.startsWith('[') && line.endsWith(']');
        if (control || (!section && !line.contains('='))) {
            return "holds the line " + line.left(80);
        }
    }
    return {};
}

// The start values a fresh program reads from a copy of home's settings file: what is on the
// disk, whatever this process has cached of the original.
Values valuesOfACopy(const ConfigHome& home) {
    ConfigHome copy;
    copy.put(home.content());
    QtSettingsStore store(copy.root());
    return startValues(store);
}

// What a SettingsClient run printed and how it ended.
struct ClientRun {
    bool finished = false;
    int exitCode = -1;
    Values values;
    bool stored = false;
    QString errors;
};

// The user "nobody", as whom an unprivileged client runs.
constexpr uid_t nobody = 65534;

// Runs the client with $XDG_CONFIG_HOME set; unprivileged runs it as "nobody" when the test
// runs as root. A run still going after half a minute has hung and is killed.
ClientRun runClient(const QStringList& arguments, const QString& configHome,
                    bool unprivileged = false) {
    QProcess client;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", configHome);
    client.setProcessEnvironment(environment);
    if (unprivileged && ::geteuid() == 0) {
        client.setChildProcessModifier([] {
            if (::setgroups(0, nullptr) != 0 || ::setresgid(nobody, nobody, nobody) != 0 ||
                ::setresuid(nobody, nobody, nobody) != 0) {
                ::_exit(testing::childCannotRun);
            }
        });
    }
    client.start(SETTINGS_CLIENT, arguments);
    ClientRun run;
    run.finished = client.waitForFinished(30000);
    if (!run.finished) {
        run.errors = client.errorString();
        client.kill();
        client.waitForFinished();
        return run;
    }
    run.exitCode = client.exitCode();
    run.errors = QString::fromUtf8(client.readAllStandardError());
    for (const QByteArray& line : client.readAllStandardOutput().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (line.startsWith("stored=")) {
            run.stored = line == "stored=1";
        } else if (equals > 0) {
            run.values.insert(line.left(equals), line.mid(equals + 1));
        }
    }
    return run;
}

// What stands in the way, or what is missing, in one of the place faults.
struct PlaceFault {
    const char* name;
    std::function<QString(ConfigHome&)> prepare; // returns $XDG_CONFIG_HOME
    Values expected;                             // the values the start holds
    bool stored;                                 // the placement reached the disk
    const char* warning;                         // in the client's errors; "" for none
    bool unprivileged = false;
};

void makeFifo(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
}

void makeSocket(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    QVERIFY(std::size_t(name.size()) < sizeof address.sun_path);
    std::copy(name.begin(), name.end(), address.sun_path);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0);
    ::close(listener);
}

void makeLink(const QString& target, const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QVERIFY(QFile::link(target, path));
}

void setMode(const QString& path, mode_t mode) {
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode) == 0);
}

// Run as root, the test hands the file to the user the unprivileged client runs as.
void giveToNobody(const QString& path) {
    if (::geteuid() == 0) {
        QVERIFY(::chown(QFile::encodeName(path).constData(), nobody, nobody) == 0);
    }
}

void putFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

const char* const notAFile = "is not a regular file";
const char* const tooLarge = "is larger than";
const char* const unreadable = "cannot be read";
const char* const lockInTheWay = "lock file";
const char* const notWritable = "cannot be written";

const std::vector<PlaceFault>& placeFaults() {
    static const std::vector<PlaceFault> faults = {
        {"a FIFO as the settings file",
         [](ConfigHome& home) {
             makeFifo(home.file());
             return home.root();
         },
         defaults(), false, notAFile},
        {"a folder as the settings file",
         [](ConfigHome& home) {
             QDir().mkpath(home.file());
             return home.root();
         },
         defaults(), false, notAFile},
        {"a link to a device as the settings file",
         [](ConfigHome& home) {
             makeLink("/dev/zero", home.file());
             return home.root();
         },
         defaults(), false, notAFile},
        {"a socket as the settings file",
         [](ConfigHome& home) {
             makeSocket(home.file());
             return home.root();
         },
         defaults(), false, notAFile},
        {"a file past the size limit",
         [](ConfigHome& home) {
             home.put(soundFile + "OptTrim=" + QByteArray(2 * 1024 * 1024, 'x') + "\n");
             return home.root();
         },
         defaults(), false, tooLarge},
        {"a FIFO as the lock file",
         [](ConfigHome& home) {
             home.put(soundFile);
             makeFifo(home.lock());
             return home.root();
         },
         soundFileValues(), false, lockInTheWay},
        {"a folder as the lock file",
         [](ConfigHome& home) {
             home.put(soundFile);
             QDir().mkpath(home.lock());
             return home.root();
         },
         soundFileValues(), false, lockInTheWay},
        {"a dangling link as the lock file",
         [](ConfigHome& home) {
             home.put(soundFile);
             makeLink("nowhere", home.lock());
             return home.root();
         },
         soundFileValues(), false, lockInTheWay},
        {"a lock file with junk in it, left by a crash",
         [](ConfigHome& home) {
             home.put(soundFile);
             putFile(home.lock(), randomBytes(100, 7));
             return home.root();
         },
         soundFileValues(), true, ""},
        {"a dangling link as the settings file",
         [](ConfigHome& home) {
             makeLink("elsewhere.ini", home.file());
             return home.root();
         },
         defaults(), true, ""},
        {"no configuration folder yet",
         [](ConfigHome& home) { return home.dir.filePath("missing/config"); }, defaults(), true,
         ""},
        {"a file as the configuration folder",
         [](ConfigHome& home) {
             putFile(home.dir.filePath("config"), "mine");
             return home.dir.filePath("config");
         },
         defaults(), false, notWritable},
        {"a file as the program's folder",
         [](ConfigHome& home) {
             putFile(home.folder(), "mine");
             return home.root();
         },
         defaults(), false, notWritable},
        {"a read-only settings folder",
         [](ConfigHome& home) {
             home.put(soundFile);
             setMode(home.file(), 0644);
             setMode(home.folder(), 0555);
             return home.root();
         },
         soundFileValues(), false, notWritable, true},
        {"a read-only configuration folder without the program's folder",
         [](ConfigHome& home) {
             setMode(home.root(), 0555);
             return home.root();
         },
         defaults(), false, notWritable, true},
        {"a damaged file in a read-only settings folder",
         [](ConfigHome& home) {
             home.put("[Settings]\njunk line\nOptFolder=0\n[cut");
             setMode(home.folder(), 0555);
             return home.root();
         },
         defaultsWith({{"OptFolder", "0"}}), false, notWritable, true},
        {"a read-only settings file",
         [](ConfigHome& home) {
             home.put(soundFile);
             setMode(home.file(), 0444);
             return home.root();
         },
         soundFileValues(), false, notWritable},
        {"a read-only settings file of the user, in a folder anyone may write",
         [](ConfigHome& home) {
             home.put(soundFile);
             giveToNobody(home.file());
             setMode(home.file(), 0444);
             setMode(home.folder(), 0777);
             return home.root();
         },
         soundFileValues(), false, notWritable, true},
        {"another user's settings file, in a folder anyone may write",
         [](ConfigHome& home) {
             home.put(soundFile);
             setMode(home.file(), 0644);
             setMode(home.folder(), 0777);
             return home.root();
         },
         soundFileValues(), false, notWritable, true},
        {"an unreadable settings file in a writable folder",
         [](ConfigHome& home) {
             home.put(soundFile);
             setMode(home.file(), 0000);
             setMode(home.folder(), 0777);
             return home.root();
         },
         defaults(), false, unreadable, true},
    };
    return faults;
}

// Collects the warnings logged while it lives.
class WarningLog {
public:
    WarningLog() : m_previous(qInstallMessageHandler(collect)) { current = this; }
    ~WarningLog() {
        qInstallMessageHandler(m_previous);
        current = nullptr;
    }
    QStringList warnings;

private:
    static void collect(QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtWarningMsg) {
            current->warnings << text;
        }
    }
    static inline WarningLog* current = nullptr;
    QtMessageHandler m_previous;
};

// The values a SettingsClient writing run (options|placement <tag> <count>) writes last.
Values lastValues(const QStringList& run) {
    const int last = run[2].toInt() - 1;
    if (run[0] == "options") {
        const QByteArray text = run[1].toUtf8() + "-" + QByteArray::number(last);
        return {
            {"OptFolder", QByteArray::number(last % 2)}, {"OptFindFiles", text}, {"OptTrim", text}};
    }
    return {{"MainLeft", QByteArray::number(run[1].toInt() * 100000 + last)},
            {"MainTop", "1000"},
            {"MainWidth", "6500"},
            {"MainHeight", "6500"}};
}

// The keys of a settings file snapshot, or nothing when it is not a whole file: a half-written
// file would end inside a line or miss its section.
std::optional<QMap<QByteArray, QByteArray>> wholeFile(const QByteArray& bytes) {
    if (!bytes.startsWith("[Settings]\n") || !bytes.endsWith('\n')) {
        return std::nullopt;
    }
    QMap<QByteArray, QByteArray> keys;
    for (const QByteArray& line : bytes.split('\n').mid(1)) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0) {
            keys.insert(line.left(equals), line.mid(equals + 1));
        } else if (!line.isEmpty()) {
            return std::nullopt;
        }
    }
    return keys;
}

} // namespace

class SettingsFaultsTest : public QObject {
    Q_OBJECT

private slots:
    void damagedFileGivesSoundValuesAndIsWrittenClean_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Values>("expected");
        const Values fromSection =
            defaultsWith({{"OptFolder", "0"}, {"OptTrim", "/srv/"}, {"MainLeft", "120"}});
        const QByteArray section = "[Settings]\nOptFolder=0\nOptTrim=/srv/\nMainLeft=120\n";

        QTest::newRow("empty file") << QByteArray() << defaults();
        QTest::newRow("random bytes") << randomBytes(64 * 1024, 1) << defaults();
        QTest::newRow("a sound section, then random bytes")
            << section + randomBytes(64 * 1024, 2) << fromSection;
        QTest::newRow("random bytes, then a sound section")
            << randomBytes(4096, 3) + "\n" + section << fromSection;
        QTest::newRow("NUL bytes")
            << withNuls("[Settings]\nOptFolder=\0\nOptFindFiles=*.\0exe\nMainLeft=1\0002\n")
            << defaultsWith({{"OptFindFiles", withNuls("*.\0exe")}});
        QTest::newRow("invalid UTF-8")
            << QByteArray("[Settings]\nOptFindFiles=*.\xff\xfe\nOptTrim=/home/\xc3\n")
            << defaultsWith({{"OptFindFiles", "*.\uFFFD\uFFFD"}, {"OptTrim", "/home/\uFFFD"}});
        QTest::newRow("invalid UTF-8 in the section name")
            << QByteArray("[Sett\xffings]\nOptFolder=0\n") << defaults();
        QTest::newRow("a value of 900 KiB")
            << "[Settings]\nOptTrim=" + QByteArray(900 * 1024, 'x') + "\nOptFolder=0\n"
            << defaultsWith({{"OptTrim", QByteArray(900 * 1024, 'x')}, {"OptFolder", "0"}});
        QTest::newRow("a junk line of 900 KiB")
            << "[Settings]\n" + QByteArray(900 * 1024, '#') + "\nOptFolder=0\n"
            << defaultsWith({{"OptFolder", "0"}});
        QTest::newRow("cut in a value")
            << QByteArray("[Settings]\nOptFolder=0\nOptFindFiles=*.ex")
            << defaultsWith({{"OptFolder", "0"}, {"OptFindFiles", "*.ex"}});
        QTest::newRow("cut in a key")
            << QByteArray("[Settings]\nOptFolder=0\nOptFind") << defaultsWith({{"OptFolder", "0"}});
        QTest::newRow("cut in a quoted value")
            << QByteArray("[Settings]\nOptFolder=0\nOptTrim=\"/srv")
            << defaultsWith({{"OptFolder", "0"}, {"OptTrim", "/srv"}});
        QTest::newRow("cut in the section name") << QByteArray("[Setti") << defaults();
        QTest::newRow("numbers that are not numbers")
            << QByteArray("[Settings]\nOptFolder=yes\nMainLeft=abc\nMainTop=1,000\n"
                          "MainWidth=0x1F40\nMainHeight=nan\n")
            << defaults();
        QTest::newRow("empty numbers, empty pattern")
            << QByteArray("[Settings]\nOptFolder=\nOptFindFiles=\nMainLeft=\n")
            << defaultsWith({{"OptFindFiles", ""}});
        QTest::newRow("QSettings' other value forms")
            << QByteArray("[Settings]\nOptFolder=@ByteArray(0)\nOptFindFiles=@Rect(1 2 3 4)\n"
                          "OptTrim=@Variant(\\0\\0\\0\\t\\0\\x7f\\xff\\xff\\xff)\n"
                          "MainLeft=@Invalid()\n")
            << defaults();
        QTest::newRow("an escaped @")
            << QByteArray("[Settings]\nOptTrim=@@home\n") << defaultsWith({{"OptTrim", "@home"}});
        QTest::newRow("byte order mark and CR LF")
            << QByteArray("\xef\xbb\xbf[Settings]\r\nOptFolder=0\r\nOptTrim=/srv/\r\n")
            << defaultsWith({{"OptFolder", "0"}, {"OptTrim", "/srv/"}});
        QTest::newRow("the section twice")
            << QByteArray("[Settings]\nOptFolder=0\nOptTrim=a\n[Other]\nx=1\n[Settings]\n"
                          "OptTrim=b\n")
            << defaultsWith({{"OptFolder", "0"}, {"OptTrim", "b"}});

        // OptFolder: 1 searches sub-folders; 2 shows the options dialog's box gray; every other
        // whole number, like 0, lets folders add nothing. Only what is no 16-bit number at all
        // falls back to 1.
        for (const auto& [stored, held] : {std::pair{"2", "2"},
                                           {"7", "7"},
                                           {"-1", "-1"},
                                           {"1.5", "2"},
                                           {"0.4", "0"},
                                           {" 0 ", "0"},
                                           {"40000", "1"},
                                           {"-40000", "1"}}) {
            QTest::addRow("OptFolder %s", stored)
                << "[Settings]\nOptFolder=" + QByteArray(stored) + "\n"
                << defaultsWith({{"OptFolder", held}});
        }
    }

    void damagedFileGivesSoundValuesAndIsWrittenClean() {
        QFETCH(QByteArray, content);
        QFETCH(Values, expected);
        ConfigHome home;
        home.put(content);
        QtSettingsStore store(home.root());
        QCOMPARE(startValues(store), expected);
        QVERIFY2(home.content() == content, "reading changed the file");

        // The first layout step stores the placement: that write replaces the file, atomically,
        // with a sound one that holds every value that could be read from it.
        QVERIFY(writePlacement(store, readPlacement(store)));
        QCOMPARE(unsoundness(home.file()), QString());
        QCOMPARE(valuesOfACopy(home), expected);
        QCOMPARE(entriesOf(home.folder()), fileAndLock);
    }

    void placeFaultNeitherHangsNorIsTouched_data() {
        QTest::addColumn<int>("fault");
        for (std::size_t i = 0; i < placeFaults().size(); ++i) {
            QTest::newRow(placeFaults()[i].name) << int(i);
        }
    }

    void placeFaultNeitherHangsNorIsTouched() {
        QFETCH(int, fault);
        const PlaceFault& place = placeFaults()[std::size_t(fault)];
        ConfigHome home;
        // An unprivileged client runs as "nobody" when the test runs as root: it must reach
        // the folders.
        setMode(home.root(), 0755);
        const QString configHome = place.prepare(home);
        if (QTest::currentTestFailed()) {
            return;
        }
        const QStringList before = home.everything();

        const ClientRun run = runClient({"start"}, configHome, place.unprivileged);
        const QStringList after = home.everything();
        // Folders made read-only are made writable again, so that they can be removed.
        for (const QString& folder : {home.root(), home.folder()}) {
            ::chmod(QFile::encodeName(folder).constData(), 0755);
        }
        QVERIFY2(run.finished, qPrintable("the start did not end: " + run.errors));
        if (run.exitCode == testing::childCannotRun) {
            QSKIP("cannot give up root's rights here");
        }
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.values, place.expected);
        QCOMPARE(run.stored, place.stored);
        if (*place.warning) {
            QVERIFY2(run.errors.contains(place.warning), qPrintable(run.errors));
        } else {
            QCOMPARE(run.errors, QString());
        }
        if (place.stored) {
            const QString written = QtSettingsStore(configHome).filePath("Quiverel2000");
            QCOMPARE(unsoundness(written), QString());
        } else {
            QCOMPARE(after, before);
        }
    }

    void twoProgramsWritingAtOnceLeaveAWholeFile_data() {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::newRow("options against placement")
            << QStringList{"options", "A", "60"} << QStringList{"placement", "7", "60"};
        QTest::newRow("options against options")
            << QStringList{"options", "A", "60"} << QStringList{"options", "B", "60"};
    }

    void twoProgramsWritingAtOnceLeaveAWholeFile() {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        ConfigHome home;
        QProcess writers[2];
        for (QProcess& writer : writers) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("XDG_CONFIG_HOME", home.root());
            writer.setProcessEnvironment(environment);
        }
        writers[0].start(SETTINGS_CLIENT, first);
        writers[1].start(SETTINGS_CLIENT, second);

        // Whatever moment another program reads the file at, it finds a whole file, and a key
        // once there stays there.
        QSet<QByteArray> seenKeys;
        int snapshots = 0;
        const QDeadlineTimer hang(60000);
        while (writers[0].state() != QProcess::NotRunning ||
               writers[1].state() != QProcess::NotRunning) {
            QVERIFY2(!hang.hasExpired(), "the writers hung");
            const QByteArray snapshot = home.content();
            if (!snapshot.isEmpty()) {
                const auto keys = wholeFile(snapshot);
                QVERIFY2(keys, snapshot.constData());
                for (const QByteArray& key : std::as_const(seenKeys)) {
                    QVERIFY2(keys->contains(key), key.constData());
                }
                for (auto key = keys->keyBegin(); key != keys->keyEnd(); ++key) {
                    seenKeys.insert(*key);
                }
                ++snapshots;
            }
            writers[0].waitForFinished(1);
            writers[1].waitForFinished(1);
        }
        for (QProcess& writer : writers) {
            QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
            QCOMPARE(writer.exitCode(), 0); // no write reported a failure
        }
        QVERIFY(snapshots > 0);

        // Every write was merged into the file as the other left it: each key holds the last
        // value written to it, by one writer or the other, and no key was lost.
        const auto keys = wholeFile(home.content());
        QVERIFY(keys);
        const Values lastOfFirst = lastValues(first);
        const Values lastOfSecond = lastValues(second);
        QCOMPARE(QSet<QByteArray>(keys->keyBegin(), keys->keyEnd()),
                 QSet<QByteArray>(lastOfFirst.keyBegin(), lastOfFirst.keyEnd()) +
                     QSet<QByteArray>(lastOfSecond.keyBegin(), lastOfSecond.keyEnd()));
        for (auto key = keys->keyValueBegin(); key != keys->keyValueEnd(); ++key) {
            const QByteArray line = key->first + "=" + key->second;
            QVERIFY2(lastOfFirst.value(key->first) == key->second ||
                         lastOfSecond.value(key->first) == key->second,
                     line.constData());
        }
        QCOMPARE(entriesOf(home.folder()), fileAndLock);
    }

    void stuckWriterIsWaitedForOnce() {
        // Another program keeps the lock and never lets go: the start gives up on it once, says
        // so, does not wait again for the other keys, and leaves the file as it was.
        ConfigHome home;
        home.put(soundFile);
        const int lock =
            ::open(QFile::encodeName(home.lock()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        QVERIFY(lock >= 0);
        struct flock wholeFile {};
        wholeFile.l_type = F_WRLCK;
        wholeFile.l_whence = SEEK_SET;
        QCOMPARE(::fcntl(lock, F_OFD_SETLK, &wholeFile), 0);
        const ClientRun run = runClient({"start"}, home.root());
        ::close(lock);
        QVERIFY2(run.finished, qPrintable("the start did not end: " + run.errors));
        QCOMPARE(run.values, soundFileValues());
        QVERIFY(!run.stored);
        QCOMPARE(run.errors.count("stayed locked"), 1);
        QCOMPARE(home.content(), soundFile);
    }

    void fullDiskLeavesTheOldFile() {
        ConfigHome home;
        home.put(soundFile);
        // A file size limit stands in for a full disk: the new file cannot be written whole.
        const int result = testing::runInChild([&home] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{512, 512};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
                return 2;
            }
            QtSettingsStore store(home.root());
            return store.write("Quiverel2000", "Settings", "OptTrim", std::string(4096, 'x')) ? 1
                                                                                              : 0;
        });
        QCOMPARE(result, 0); // the write reported its failure
        QCOMPARE(home.content(), soundFile);
        QCOMPARE(entriesOf(home.folder()), fileAndLock);
    }

    void savesNeverGrowTheFilePastWhatTheReaderTakes() {
        // Hand-written keys with blanks read fine, but each blank is written back as "%20".
        ConfigHome home;
        QByteArray junk = soundFile + "[Other]\n";
        for (int i = 0; junk.size() < maxSettingsFileSize - 64; ++i) {
            junk += "a b c d e f " + QByteArray::number(i) + "=1\n";
        }
        home.put(junk);
        QtSettingsStore store(home.root());
        QCOMPARE(startValues(store), soundFileValues());
        const WarningLog log;
        QVERIFY(writePlacement(store, WindowPlacement{1, 2, 3, 4}));
        QVERIFY(home.content().size() <= maxSettingsFileSize);
        QCOMPARE(valuesOfACopy(home), defaultsWith({{"OptFolder", "0"},
                                                    {"OptFindFiles", "*.dll"},
                                                    {"OptTrim", "/srv/"},
                                                    {"MainLeft", "1"},
                                                    {"MainTop", "2"},
                                                    {"MainWidth", "3"},
                                                    {"MainHeight", "4"}}));
        QVERIFY(!log.warnings.isEmpty());

        // A value that cannot fit at all is not saved; the file stays as it was.
        const QByteArray before = home.content();
        QVERIFY(!store.write("Quiverel2000", "Settings", "OptTrim",
                             std::string(maxSettingsFileSize, 'x')));
        QCOMPARE(home.content(), before);
        QVERIFY(writePlacement(store, WindowPlacement{5, 6, 7, 8}));
    }

    void leftoversOfKilledSavesAreRemoved() {
        ConfigHome home;
        home.put(soundFile);
        const auto leaveSave = [&home](const char* name, int minutesAgo) {
            const QString path = home.folder() + "/Quiverel2000.ini." + name;
            putFile(path, soundFile.left(20));
            const timeval then{::time(nullptr) - minutesAgo * 60, 0};
            const timeval times[2] = {then, then};
            QVERIFY(::utimes(QFile::encodeName(path).constData(), times) == 0);
        };
        leaveSave("tJoNJI", 5);    // killed five minutes ago
        leaveSave("QbWxZa", 0);    // may be another program's save going on right now
        leaveSave("notes.txt", 5); // not a name a save gives its file
        QtSettingsStore store(home.root());
        QVERIFY(writePlacement(store, WindowPlacement{1, 2, 3, 4}));
        QCOMPARE(entriesOf(home.folder()),
                 (QStringList{"Quiverel2000.ini", "Quiverel2000.ini.lock",
                              "Quiverel2000.ini.notes.txt", "Quiverel2000.ini.QbWxZa"}));
    }

    void warningsWithStandardErrorClosedGoNowhere() {
        // Started with "2>&-": the connection to the display would take descriptor 2, and a
        // warning about the settings would be written into it.
        ConfigHome home;
        QDir().mkpath(home.file());
        const int result = testing::runInChild([&home] {
            ::close(STDERR_FILENO);
            fs::keepStandardDescriptorsTaken();
            qInstallMessageHandler(nullptr); // warnings go to standard error, as in the program
            int connection[2];
            if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, connection) != 0) {
                return 2;
            }
            QtSettingsStore store(home.root());
            store.read("Quiverel2000", "Settings", "OptTrim", "");
            char received[256];
            return ::read(connection[0], received, sizeof received) > 0 ||
                           ::read(connection[1], received, sizeof received) > 0
                       ? 1
                       : 0;
        });
        QCOMPARE(result, 0);
    }

    void problemIsLoggedOnceUntilItChanges() {
        ConfigHome home;
        QDir().mkpath(home.file());
        QtSettingsStore store(home.root());
        const WarningLog log;
        QCOMPARE(startValues(store), defaults());
        QVERIFY(!writePlacement(store, WindowPlacement{}));
        QCOMPARE(log.warnings.size(), 1);
        QVERIFY2(log.warnings[0].contains(notAFile), qPrintable(log.warnings[0]));

        QVERIFY(QDir().rmdir(home.file()));
        QVERIFY(writePlacement(store, WindowPlacement{1, 2, 3, 4}));
        QCOMPARE(
            valuesOfACopy(home),
            defaultsWith(
                {{"MainLeft", "1"}, {"MainTop", "2"}, {"MainWidth", "3"}, {"MainHeight", "4"}}));
        QVERIFY(QFile::remove(home.lock()));
        makeFifo(home.lock());
        QVERIFY(!writePlacement(store, WindowPlacement{}));
        QCOMPARE(log.warnings.size(), 2);
        QVERIFY2(log.warnings[1].contains(lockInTheWay), qPrintable(log.warnings[1]));
    }
};

QTEST_GUILESS_MAIN(SettingsFaultsTest)
#include "SettingsFaultsTest.moc"
