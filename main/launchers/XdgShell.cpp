#include "main/launchers/XdgShell.h"

#include "main/launchers/DesktopExec.h"
#include "platform/Trace.h"

#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace kaldo {

namespace {

QStringList ToStringList(const std::vector<std::string>& items) {
    QStringList list;
    for (const std::string& item : items)
        list << QString::fromStdString(item);
    return list;
}

// A local file named by a path or a file URL; empty for anything else.
QString LocalFile(const std::string& target) {
    const QString text = QString::fromStdString(target);
    if (text.startsWith('/'))
        return text;
    const QUrl url(text);
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

XdgShell::XdgShell(std::string xdgOpen, std::string xdgMime)
    : m_xdgOpen(std::move(xdgOpen))
    , m_xdgMime(std::move(xdgMime)) {}

bool XdgShell::Open(const std::string& target) {
    return QProcess::startDetached(QString::fromStdString(m_xdgOpen),
                                   {QString::fromStdString(target)});
}

std::string XdgShell::TypeOf(const std::string& target) {
    const QString local = LocalFile(target);
    if (local.isEmpty()) {
        const QUrl url(QString::fromStdString(target));
        if (!url.isValid() || url.scheme().isEmpty())
            return {};
        return "x-scheme-handler/" + url.scheme().toLower().toStdString();
    }
    const QMimeType type = QMimeDatabase().mimeTypeForFile(local);
    if (!type.isValid() || type.isDefault())
        return {};
    return type.name().toStdString();
}

std::string XdgShell::DefaultFor(const std::string& mimeType) {
    if (mimeType.empty())
        return {};
    QProcess query;
    query.start(
        QString::fromStdString(m_xdgMime),
        {QStringLiteral("query"), QStringLiteral("default"), QString::fromStdString(mimeType)});
    if (!query.waitForFinished(int(kShellQueryLimit.count()))) {
        query.kill();
        query.waitForFinished();
        return {};
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return {};
    return QString::fromUtf8(query.readAllStandardOutput()).trimmed().toStdString();
}

std::string XdgShell::DefaultApplication(const std::string& target) {
    return DefaultFor(TypeOf(target));
}

std::string XdgShell::DefaultBrowser() {
    return DefaultFor("x-scheme-handler/http");
}

bool XdgShell::OpenInBrowser(const std::string& target) {
    const std::string browser = DefaultBrowser();
    if (browser.empty())
        return false;
    const QString entry = QStandardPaths::locate(QStandardPaths::ApplicationsLocation,
                                                 QString::fromStdString(browser));
    QFile file(entry);
    if (entry.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        Trace("browser entry not found: " + browser + "\n");
        return false;
    }
    const std::string exec = DesktopEntryExec(file.readAll().toStdString());
    const QString local = LocalFile(target);
    const std::string path = local.isEmpty() ? target : local.toStdString();
    const std::string url =
        local.isEmpty() ? target
                        : QUrl::fromLocalFile(local).toString(QUrl::FullyEncoded).toStdString();
    std::vector<std::string> command = ExecArguments(exec, path, url);
    if (command.empty())
        return false;
    const std::string program = command.front();
    command.erase(command.begin());
    return StartProgram(program, command);
}

bool XdgShell::StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
    // Detached: the program must outlive this one. The call returns once the program has
    // been started, or has failed to start.
    return QProcess::startDetached(QString::fromStdString(program), ToStringList(arguments));
}

} // namespace kaldo
