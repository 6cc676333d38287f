#include "main/dialogs/DownloadProgressDialog.h"

#include "main/dialogs/CenterWindow.h"
#include "main/net/DownloadWorker.h"
#include "main/resources/StringResources.h"
#include "platform/messagebox/Unattended.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <memory>

namespace kaldo {

namespace {

constexpr int kBarWidth = 240;
// A slow transfer is fine when someone watches; automation gives up on it after this.
constexpr std::chrono::seconds kUnattendedDownloadLimit{20};

QString Text(StringId id) {
    return QString::fromStdString(LoadResourceString(id));
}

} // namespace

int NextActivityPosition(int position) {
    return position >= kActivityRange ? 0 : position + kActivityStep;
}

DownloadProgressDialog::DownloadProgressDialog(QWidget* owner)
    : QDialog(owner)
    , m_text(new QLabel(Text(StringId::DownloadingFile), this))
    , m_bar(new QProgressBar(this))
    , m_cancel(new QPushButton(Text(StringId::Cancel), this))
    , m_timer(new QTimer(this)) {
    setWindowTitle(Text(StringId::RetrievingFile));
    setAccessibleName(windowTitle());
    m_cancel->setDefault(true);
    m_bar->setRange(0, kActivityRange);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_bar->setMinimumWidth(kBarWidth);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_text, 0, 0);
    layout->addWidget(m_bar, 1, 0);
    layout->addWidget(m_cancel, 0, 1, 2, 1, Qt::AlignVCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_timer->setInterval(kActivityInterval);
    connect(m_timer, &QTimer::timeout, this, [this] { Step(); });
}

void DownloadProgressDialog::Step() {
    m_bar->setValue(NextActivityPosition(m_bar->value()));
}

void DownloadProgressDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CenterWindowOver(this, parentWidget());
    m_timer->start();
}

int DownloadWithProgress(QWidget* owner, const std::string& url, const std::string& localPath,
                         const DownloadOptions& options) {
    DownloadProgressDialog dialog(owner);
    auto worker = std::make_unique<DownloadWorker>(options);
    const bool started =
        worker->Start(url, localPath, [&dialog](bool) { dialog.done(QDialog::Accepted); });
    if (!started)
        return -1;

    const bool finished = RunModal(dialog,
                                   dialog.windowTitle().toStdString() + ": " +
                                       dialog.TextLabel()->text().toStdString(),
                                   kUnattendedDownloadLimit) == QDialog::Accepted;
    // A cancel only counts while the transfer still runs; one that ended meanwhile stands.
    const bool cancelled = !finished && worker->Cancel();
    const bool fetched = !cancelled && worker->Fetched();
    // Waits for the worker; a completion not delivered yet is dropped with it.
    worker.reset();
    return fetched ? 0 : -1;
}

} // namespace kaldo
