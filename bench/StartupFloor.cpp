// The floor that ktendwell's start-up is measured against: one window with three web panes
// loading local pages, nothing else. Without arguments the pages are small ones of its own;
// given three paths (header, body, footer) it shows those, such as the pages ktendwell shows.
// Prints the time from process start until all three have loaded, in the words of
// ktendwell's trace, and ends.
//   StartupFloor [HEADER BODY FOOTER]
#include "platform/WebEngineEnvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <QWidget>

#include <cstdio>

namespace {

constexpr int kWidth = 780;
constexpr int kHeight = 665;
constexpr int kHeaderHeight = 60;
constexpr int kFooterHeight = 90;

QString WritePage(const QTemporaryDir& folder, const QString& name) {
    const QString path = folder.filePath(name + ".html");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + name.toUtf8() +
                   "</title></head><body><p>" + name.toUtf8() + "</p></body></html>\n");
    return path;
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    // As ktendwell does.
    kaldo::PrepareWebEngineEnvironment();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);

    QTemporaryDir folder;
    QWidget window;
    window.setFixedSize(kWidth, kHeight);
    const QRect rects[] = {
        {0, 0, kWidth, kHeaderHeight},
        {0, kHeaderHeight, kWidth, kHeight - kHeaderHeight - kFooterHeight},
        {0, kHeight - kFooterHeight, kWidth, kFooterHeight},
    };
    const char* names[] = {"header", "body", "footer"};
    const QStringList given = app.arguments().mid(1);
    if (!given.isEmpty() && given.size() != 3) {
        std::fprintf(stderr, "usage: StartupFloor [HEADER BODY FOOTER]\n");
        return 2;
    }
    int waiting = 3;
    window.show();
    for (int pane = 0; pane < 3; ++pane) {
        auto* view = new QWebEngineView(&window);
        view->setGeometry(rects[pane]);
        QObject::connect(view, &QWebEngineView::loadFinished, &window, [&] {
            if (--waiting == 0) {
                std::printf("panes loaded after %lld ms\n", sinceStart.elapsed());
                std::fflush(stdout);
                window.close();
            }
        });
        view->load(
            QUrl::fromLocalFile(given.isEmpty() ? WritePage(folder, names[pane]) : given[pane]));
        view->show();
    }
    return app.exec();
}
