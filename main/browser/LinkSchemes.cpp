#include "main/browser/LinkSchemes.h"

#include "main/navigation/LinkMarkers.h"

#include <QString>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

#include "platform/Trace.h"

namespace kaldo {

namespace {

QByteArray SchemeName(std::string_view scheme) {
    return QByteArray(scheme.data(), qsizetype(scheme.size()));
}

class RefusingSchemeHandler final : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        Trace("link not handled: " + LinkText(job->requestUrl()) + "\n");
        job->fail(QWebEngineUrlRequestJob::RequestAborted);
    }
};

} // namespace

const std::vector<std::string_view>& LinkSchemes() {
    // Every marker that is a scheme of its own, the web's excepted.
    static const std::vector<std::string_view> schemes = [] {
        std::vector<std::string_view> found;
        for (std::string_view marker : links::kAll) {
            if (marker.ends_with(':') && marker != links::kWeb && marker != links::kSecureWeb)
                found.push_back(marker.substr(0, marker.size() - 1));
        }
        return found;
    }();
    return schemes;
}

void RegisterLinkSchemes() {
    for (std::string_view scheme : LinkSchemes()) {
        const QByteArray name = SchemeName(scheme);
        if (!QWebEngineUrlScheme::schemeByName(name).name().isEmpty())
            continue;
        QWebEngineUrlScheme linkScheme(name);
        linkScheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
        QWebEngineUrlScheme::registerScheme(linkScheme);
    }
}

void InstallLinkSchemeHandlers(QWebEngineProfile& profile) {
    QWebEngineUrlSchemeHandler* handler = nullptr;
    for (std::string_view scheme : LinkSchemes()) {
        const QByteArray name = SchemeName(scheme);
        if (profile.urlSchemeHandler(name) != nullptr)
            continue;
        if (QWebEngineUrlScheme::schemeByName(name).name().isEmpty()) {
            qWarning("Link scheme %s was not registered before the application started",
                     name.constData());
            continue;
        }
        if (handler == nullptr)
            handler = new RefusingSchemeHandler(&profile);
        profile.installUrlSchemeHandler(name, handler);
    }
}

std::string LinkText(const QUrl& url) {
    return url.toString().toStdString();
}

QUrl LinkUrl(const std::string& pathOrUrl) {
    const QString text = QString::fromStdString(pathOrUrl);
    if (text.startsWith(u'/'))
        return QUrl::fromLocalFile(text);
    return QUrl(text);
}

} // namespace kaldo
