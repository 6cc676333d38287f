#include "contenttool/audit/PageAudit.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>

namespace kaldo {

namespace {

constexpr int kWidth = 780; // the body pane
constexpr int kHeight = 429;
constexpr int kLoadLimitMs = 20000;
constexpr int kAuditLimitMs = 60000;

// Frames are pages of their own and are checked as such.
constexpr char kRunAxe[] = R"(
window.__kaldoAudit = null;
axe.run(document, {
  runOnly: {type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'best-practice']},
  resultTypes: ['violations'],
  iframes: false
}).then(function (result) {
  window.__kaldoAudit = JSON.stringify(result.violations.map(function (rule) {
    return {rule: rule.id, impact: rule.impact || '', help: rule.help,
            elements: rule.nodes.map(function (node) { return node.target.join(' '); })};
  }));
}, function (error) {
  window.__kaldoAudit = JSON.stringify({error: String(error)});
});
)";

AuditFinding Failure(const std::string& why) {
    return {"audit", "critical", why, "document"};
}

std::vector<AuditFinding> FindingsOf(const QString& json) {
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (document.isObject())
        return {Failure("axe-core failed: " +
                        document.object().value("error").toString().toStdString())};
    std::vector<AuditFinding> findings;
    for (const QJsonValue& rule : document.array()) {
        const QJsonObject object = rule.toObject();
        for (const QJsonValue& element : object.value("elements").toArray())
            findings.push_back({object.value("rule").toString().toStdString(),
                                object.value("impact").toString().toStdString(),
                                object.value("help").toString().toStdString(),
                                element.toString().toStdString()});
    }
    return findings;
}

} // namespace

struct PageAudit::Engine {
    QWebEngineView View;
};

PageAudit::PageAudit(std::string axeScript)
    : m_axeScript(std::move(axeScript)) {}

PageAudit::~PageAudit() = default;

std::vector<AuditFinding> PageAudit::Audit(const std::string& pagePath) {
    if (!m_engine) {
        m_engine = std::make_unique<Engine>();
        m_engine->View.resize(kWidth, kHeight);
        m_engine->View.show();
    }
    QWebEnginePage* page = m_engine->View.page();
    QEventLoop loop;
    bool loaded = false;
    const QMetaObject::Connection finished =
        QObject::connect(page, &QWebEnginePage::loadFinished, &loop, [&](bool ok) {
            loaded = ok;
            loop.quit();
        });
    QTimer::singleShot(kLoadLimitMs, &loop, &QEventLoop::quit);
    page->load(QUrl::fromLocalFile(QString::fromStdString(pagePath)));
    loop.exec();
    QObject::disconnect(finished);
    if (!loaded)
        return {Failure("the page does not load")};

    page->runJavaScript(QString::fromStdString(m_axeScript) + kRunAxe);
    // An answer may come after the wait has given up: it lands in shared state, not the stack.
    auto result = std::make_shared<QString>();
    QElapsedTimer waited;
    waited.start();
    while (result->isEmpty() && waited.elapsed() < kAuditLimitMs) {
        QEventLoop poll;
        QTimer::singleShot(30, &poll, &QEventLoop::quit);
        page->runJavaScript("window.__kaldoAudit", [result](const QVariant& value) {
            if (value.isValid())
                *result = value.toString();
        });
        poll.exec();
    }
    if (result->isEmpty())
        return {Failure("axe-core gave no answer")};
    return FindingsOf(*result);
}

std::string FormatFinding(const AuditFinding& finding) {
    return finding.Rule + " (" + finding.Impact + ") at " + finding.Element + ": " + finding.Help;
}

std::string ReadAxeScript(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = file.readAll();
    return text.contains("axe") && text.contains("run") ? text.toStdString() : std::string();
}

} // namespace kaldo
