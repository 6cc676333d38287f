#pragma once

#include "main/net/DownloadManager.h"

#include <QDialog>

#include <chrono>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace kaldo {

// The activity bar runs from 0 to kActivityRange in steps of kActivityStep, one step per
// kActivityInterval, and starts again from empty after reaching the end. It shows that the
// transfer is alive, not how far it is.
inline constexpr int kActivityRange = 200;
inline constexpr int kActivityStep = 10;
inline constexpr std::chrono::milliseconds kActivityInterval{500};

// The bar's position after one step from `position`.
int NextActivityPosition(int position);

// "Retrieving File": shown while a document or video is fetched from the maker's web site.
// Cancel (or Escape) rejects it.
class DownloadProgressDialog final : public QDialog {
public:
    explicit DownloadProgressDialog(QWidget* owner);

    // One step of the activity bar; the timer calls it.
    void Step();

    QLabel* TextLabel() const { return m_text; }
    QProgressBar* Bar() const { return m_bar; }
    QPushButton* CancelButton() const { return m_cancel; }
    const QTimer* ActivityTimer() const { return m_timer; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_text = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
    QTimer* m_timer = nullptr;
};

// Fetches `url` into `localPath` on a worker thread while the dialog is shown over `owner`.
// 0 when the file was fetched; -1 when the transfer failed or the user cancelled it, and then
// no file (partial or whole) is left at `localPath`.
int DownloadWithProgress(QWidget* owner, const std::string& url, const std::string& localPath,
                         const DownloadOptions& options = {});

} // namespace kaldo
