#include "platform/registry/IniRegistry.h"

#include "platform/Paths.h"
#include "platform/registry/TextIniFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStringList>
#include <QUtf8StringView>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace kaldo {

namespace {

// QSettings keeps a group only while something is stored in it, so every key we create holds
// this entry. No escaped name is a lone '%'.
const QString kKeyMarker = QStringLiteral("%");

constexpr int kLockTimeoutMs = 10000;

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// '/' separates groups in QSettings; '%' is the escape.
QString EscapeName(QString name) {
    return name.replace(QLatin1Char('%'), QStringLiteral("%25"))
        .replace(QLatin1Char('/'), QStringLiteral("%2F"));
}

QString UnescapeName(QString stored) {
    return stored.replace(QStringLiteral("%2F"), QStringLiteral("/"))
        .replace(QStringLiteral("%25"), QStringLiteral("%"));
}

QString FindStored(const QStringList& stored, const QString& name) {
    for (const QString& candidate : stored) {
        if (candidate != kKeyMarker &&
            UnescapeName(candidate).compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return {};
}

std::vector<std::string> VisibleNames(const QStringList& stored) {
    QStringList names;
    for (const QString& name : stored) {
        if (name != kKeyMarker)
            names.append(UnescapeName(name));
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    std::vector<std::string> result;
    for (const QString& name : names)
        result.push_back(name.toStdString());
    return result;
}

// Enters the groups of `key`; missing ones are created when `create` is set. The first
// spelling of a key stays the stored one.
bool EnterKey(QSettings& settings, std::string_view key, bool create) {
    for (const std::string& part : SplitKeyPath(key)) {
        const QString name = ToQString(part);
        const QString stored = FindStored(settings.childGroups(), name);
        if (stored.isEmpty() && !create)
            return false;
        settings.beginGroup(stored.isEmpty() ? EscapeName(name) : stored);
        if (stored.isEmpty())
            settings.setValue(kKeyMarker, QString());
    }
    return true;
}

bool IsCorrupt(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    return data.contains('\0') || !QUtf8StringView(data).isValidUtf8();
}

bool SetAside(const QString& path) {
    const QString corrupt = path + QStringLiteral(".corrupt");
    QFile::remove(corrupt);
    return QFile::rename(path, corrupt);
}

// QSettings keeps a change that it failed to write and writes it along with a later one, so
// a write is only begun where it can succeed.
bool CanWrite(const QString& path) {
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    if (!QDir().mkpath(folder) || access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return false;
    return !info.exists() || access(QFile::encodeName(path).constData(), W_OK) == 0;
}

std::optional<timespec> ModificationTime(const QByteArray& path) {
    struct stat info;
    if (stat(path.constData(), &info) != 0)
        return std::nullopt;
    return info.st_mtim;
}

long long Milliseconds(const timespec& time) {
    return time.tv_sec * 1000LL + time.tv_nsec / 1000000;
}

// QSettings sees that the file changed by its size and its time in milliseconds. Two versions
// written within one millisecond could look alike, so each new version gets a later time.
void KeepVersionsApart(const QByteArray& path, const std::optional<timespec>& previous) {
    const std::optional<timespec> now = ModificationTime(path);
    if (!previous || !now ||
        (now->tv_sec == previous->tv_sec && now->tv_nsec == previous->tv_nsec) ||
        Milliseconds(*now) > Milliseconds(*previous))
        return;
    const long long later = Milliseconds(*previous) + 1;
    const timespec times[2] = {{0, UTIME_OMIT}, {later / 1000, (later % 1000) * 1000000}};
    utimensat(AT_FDCWD, path.constData(), times, 0);
}

// Runs `read` inside `key` of the file as it is now; false when the key is not there.
bool ReadKey(const std::string& file, std::string_view key,
             const std::function<void(QSettings&)>& read) {
    const QString path = QString::fromStdString(file);
    if (IsCorrupt(path))
        return false;
    QSettings settings(path, TextIniFormat());
    if (!EnterKey(settings, key, false))
        return false;
    if (read)
        read(settings);
    return true;
}

// Runs `edit` inside `key` and writes the file. `edit` must fail before it changes anything:
// QSettings writes whatever is pending when it goes away.
bool WriteKey(const std::string& file, std::string_view key, bool create,
              const std::function<bool(QSettings&)>& edit) {
    const QString path = QString::fromStdString(file);
    if (!CanWrite(path))
        return false;
    QLockFile lock(path + QStringLiteral(".writer.lock"));
    if (!lock.tryLock(kLockTimeoutMs))
        return false;

    const QByteArray nativePath = QFile::encodeName(path);
    const std::optional<timespec> previous = ModificationTime(nativePath);
    if (IsCorrupt(path) && !SetAside(path))
        return false;
    std::optional<QSettings> settings(std::in_place, path, TextIniFormat());
    // Sections are parsed on first use; parse them all so that status() covers the whole file.
    settings->allKeys();
    if (settings->status() == QSettings::FormatError) {
        settings.reset();
        if (!SetAside(path))
            return false;
        settings.emplace(path, TextIniFormat());
    }
    if (settings->status() != QSettings::NoError || !EnterKey(*settings, key, create) ||
        (edit && !edit(*settings)))
        return false;
    settings->sync();
    const bool written = settings->status() == QSettings::NoError;
    KeepVersionsApart(nativePath, previous);
    return written;
}

} // namespace

IniRegistry::IniRegistry()
    : IniRegistry(DefaultFile(Hive::LocalMachine), DefaultFile(Hive::CurrentUser)) {}

IniRegistry::IniRegistry(std::string localMachineFile, std::string currentUserFile)
    : m_localMachineFile(std::move(localMachineFile))
    , m_currentUserFile(std::move(currentUserFile)) {}

std::string IniRegistry::DefaultFile(Hive hive) {
    if (hive == Hive::LocalMachine)
        return MachinePath("/etc/kaldo/registry.ini");
    const std::string folder = AbsolutePathVariable("XDG_CONFIG_HOME")
                                   .value_or(JoinPath(HomeFolder().value_or("/"), ".config"));
    return JoinPath(folder, "kaldo/registry.ini");
}

const std::string& IniRegistry::File(Hive hive) const {
    return hive == Hive::LocalMachine ? m_localMachineFile : m_currentUserFile;
}

bool IniRegistry::CreateKey(Hive hive, std::string_view key) {
    return WriteKey(File(hive), key, true, nullptr);
}

bool IniRegistry::KeyExists(Hive hive, std::string_view key) const {
    return SplitKeyPath(key).empty() || ReadKey(File(hive), key, nullptr);
}

std::optional<std::string> IniRegistry::QueryValue(Hive hive, std::string_view key,
                                                   std::string_view name) const {
    std::optional<std::string> value;
    ReadKey(File(hive), key, [&](QSettings& settings) {
        const QString stored = FindStored(settings.childKeys(), ToQString(name));
        if (stored.isEmpty())
            return;
        value = settings.value(stored).toString().toStdString();
    });
    return value;
}

bool IniRegistry::SetValue(Hive hive, std::string_view key, std::string_view name,
                           std::string_view value) {
    if (name.empty())
        return false;
    // A value stored already leaves the file as it is: the program sets its last printer at
    // every end, mostly to what it was.
    if (QueryValue(hive, key, name) == value)
        return true;
    return WriteKey(File(hive), key, true, [&](QSettings& settings) {
        const QString stored = FindStored(settings.childKeys(), ToQString(name));
        settings.setValue(stored.isEmpty() ? EscapeName(ToQString(name)) : stored,
                          ToQString(value));
        return true;
    });
}

bool IniRegistry::DeleteValue(Hive hive, std::string_view key, std::string_view name) {
    return WriteKey(File(hive), key, false, [&](QSettings& settings) {
        const QString stored = FindStored(settings.childKeys(), ToQString(name));
        if (stored.isEmpty())
            return false;
        settings.remove(stored);
        return true;
    });
}

bool IniRegistry::DeleteTree(Hive hive, std::string_view key) {
    if (SplitKeyPath(key).empty())
        return false;
    return WriteKey(File(hive), key, false, [](QSettings& settings) {
        settings.remove(QString());
        return true;
    });
}

std::vector<std::string> IniRegistry::SubKeys(Hive hive, std::string_view key) const {
    std::vector<std::string> names;
    ReadKey(File(hive), key,
            [&](QSettings& settings) { names = VisibleNames(settings.childGroups()); });
    return names;
}

std::vector<std::string> IniRegistry::ValueNames(Hive hive, std::string_view key) const {
    std::vector<std::string> names;
    ReadKey(File(hive), key,
            [&](QSettings& settings) { names = VisibleNames(settings.childKeys()); });
    return names;
}

} // namespace kaldo
