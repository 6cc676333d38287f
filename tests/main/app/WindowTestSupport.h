#pragma once

// What the window tests share: the program's window over the sample content and a private
// print scheduler, and waiting for the web panes without fixed sleeps.
#include "main/app/MainWindow.h"
#include "main/app/WindowHooks.h"
#include "main/appcore/AppContext.h"
#include "main/browser/BrowserHost.h"
#include "main/printers/PrinterServices.h"
#include "platform/messagebox/Unattended.h"
#include "platform/registry/IniRegistry.h"
#include "platform/spooler/CupsSpooler.h"
#include "platform/spooler/SpoolerRegistryView.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/PrivateCups.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include "TestPaths.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace kaldo::testsupport {

namespace fs = std::filesystem;
using kaldo::testsupport::ScopedEnv;
using kaldo::testsupport::TempFolder;

inline std::string PageOf(BrowserHost* pane) {
    return pane && pane->View() ? pane->View()->url().toLocalFile().toStdString() : "";
}

inline bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The trace lines written while a test runs.
inline std::mutex g_traceMutex;
inline std::vector<std::string> g_trace;
inline QtMessageHandler g_previousHandler = nullptr;

inline void RecordTrace(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (context.category && std::string_view(context.category) == "kaldo.trace") {
        std::lock_guard lock(g_traceMutex);
        g_trace.push_back(message.toStdString());
    }
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

inline bool TraceHas(const std::string& text) {
    std::lock_guard lock(g_traceMutex);
    for (const std::string& line : g_trace) {
        if (line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

// The program's window over a copy of the sample content and a private print scheduler with
// queues of every kind: Office_3020 (network socket), Studio_C5100 (IPP), Desk_C5200 (USB, whose
// content reads no status over USB) and Tessaro (a driver without content).
class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_cups = new testsupport::PrivateCups;
        ASSERT_TRUE(s_cups->Started()) << s_cups->Error();
        ASSERT_TRUE(s_cups->AddQueueForModel("Office_3020", "socket://127.0.0.5:9100",
                                             "Kaldo Presslane 3020 PS"));
        ASSERT_TRUE(s_cups->AddQueueForModel("Studio_C5100", "ipp://127.0.0.6/ipp/print",
                                             "Kaldo Presslane C5100 PS"));
        ASSERT_TRUE(
            s_cups->AddQueueForModel("Tessaro", "lpd://127.0.0.7/queue", "Tessaro Inkline 5 PCL"));
        ASSERT_TRUE(s_cups->AddQueueForModel("Desk_C5200",
                                             "usb://Kaldo/Presslane%20C5200?serial=KPC5200-0001",
                                             "Kaldo Presslane C5200 PS"));
        g_previousHandler = qInstallMessageHandler(RecordTrace);
        QLoggingCategory::setFilterRules("kaldo.trace.debug=true");
    }
    static void TearDownTestSuite() {
        qInstallMessageHandler(g_previousHandler);
        delete s_cups;
        s_cups = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(s_cups, nullptr);
        fs::create_directories(m_temp / "program/Data");
        testsupport::InstallContentFolders(KALDO_CONTENT_DIR, m_temp / "program");
        m_spooler = std::make_unique<CupsSpooler>(s_cups->Server());
        m_registry = std::make_unique<SpoolerRegistryView>(m_settings, *m_spooler);
        m_services = std::make_unique<PrinterServices>(PrinterServices{
            *m_spooler, *m_registry, m_temp / "program/ktendwell", "http://127.0.0.1:9/",
            [](const std::string&, std::chrono::milliseconds) {
                return false;
            }});
        m_context = std::make_unique<AppContext>(*m_services, m_temp / "program/",
                                                 m_temp / "state/", m_hooks.Hooks());
    }

    void TearDown() override {
        m_context->Shutdown();
        m_context.reset();
    }

    // Starts the program's window for `printer` and waits for its three pages.
    void Start(const std::string& printer) {
        m_window.show();
        ASSERT_TRUE(m_context->Initialize(printer));
        bool loaded = false;
        // As the program does: the rest of the start follows the panes' first pages.
        m_window.WhenPanesLoaded({HeaderPane()->View(), BodyPane()->View(), FooterPane()->View()},
                                 [&] {
                                     m_context->FinishStart();
                                     loaded = true;
                                 });
        ASSERT_TRUE(WaitUntil([&] { return loaded; }));
    }

    // Waits until `pane` shows `path` and its document has loaded completely.
    static bool WaitForPage(BrowserHost* pane, const std::string& path) {
        // The answer may come after this returns, so it lives as long as the callback.
        auto state = std::make_shared<int>(0); // 0 ask, 1 asked, 2 complete
        return WaitUntil([&] {
            if (PageOf(pane) != path)
                return false;
            if (*state == 0) {
                *state = 1;
                pane->View()->page()->runJavaScript(
                    "document.readyState + ' ' + decodeURI(document.URL)",
                    [state, expected = "complete file://" + path](const QVariant& v) {
                        *state = v.toString().toStdString() == expected ? 2 : 0;
                    });
            }
            return *state == 2;
        });
    }

    // Waits until the document loaded in `pane` holds `text` in its markup.
    static bool WaitForText(BrowserHost* pane, const std::string& text) {
        auto state = std::make_shared<int>(0); // 0 ask, 1 asked, 2 found
        return WaitUntil([&] {
            if (*state == 0) {
                *state = 1;
                pane->View()->page()->runJavaScript(
                    "document.readyState == 'complete' && document.documentElement.outerHTML",
                    [state, text](const QVariant& v) {
                        *state = v.toString().toStdString().find(text) != std::string::npos ? 2 : 0;
                    });
            }
            return *state == 2;
        });
    }

    BrowserHost* HeaderPane() const { return m_hooks.PaneAt(PanePlace::Header); }
    BrowserHost* BodyPane() const { return m_hooks.PaneAt(PanePlace::Body); }
    BrowserHost* FooterPane() const { return m_hooks.PaneAt(PanePlace::Footer); }

    // A page's own script: it acts for nobody.
    void RunInPane(BrowserHost* pane, const QString& script) {
        pane->View()->page()->runJavaScript(script);
    }

    // Runs `script` in the pane and waits for its value.
    static QVariant Js(BrowserHost* pane, const QString& script) {
        auto result = std::make_shared<std::optional<QVariant>>();
        pane->View()->page()->runJavaScript(script, [result](const QVariant& v) { *result = v; });
        if (!WaitUntil([&] { return result->has_value(); }))
            ADD_FAILURE() << "script did not finish: " << script.toStdString();
        return result->value_or(QVariant());
    }

    // The user's own click on the first element `selector` finds: a real mouse event.
    static void UserClick(BrowserHost* pane, const QString& selector) {
        const QVariantList centre =
            Js(pane, QStringLiteral("var e = document.querySelector('%1'); e.scrollIntoView();"
                                    "var r = e.getBoundingClientRect();"
                                    "[r.left + r.width / 2, r.top + r.height / 2]")
                         .arg(selector))
                .toList();
        ASSERT_EQ(centre.size(), 2) << selector.toStdString();
        QTest::mouseClick(pane->View()->focusProxy(), Qt::LeftButton, {},
                          QPoint(int(centre[0].toDouble()), int(centre[1].toDouble())));
    }

    // The user's own key on the element with `id`, which the page's script focuses first.
    static void UserKey(BrowserHost* pane, const QString& id, Qt::Key key) {
        pane->View()->setFocus();
        Js(pane, QStringLiteral("document.getElementById('%1').focus()").arg(id));
        QTest::keyClick(pane->View()->focusProxy(), key);
    }

    // Chooses `printer` in the header's list as the user does: the key that moves to it.
    void ChoosePrinter(const std::string& printer) {
        const int index =
            Js(HeaderPane(), QStringLiteral("var s = document.getElementById('printer');"
                                            "var i = -1; for (var n = 0; n < s.options.length; ++n)"
                                            "  if (s.options[n].text == '%1') i = n;"
                                            "if (i > 0) s.selectedIndex = i - 1; i")
                                 .arg(QString::fromStdString(printer)))
                .toInt();
        ASSERT_GT(index, 0) << printer;
        UserKey(HeaderPane(), "printer", Qt::Key_Down);
    }

    static inline testsupport::PrivateCups* s_cups = nullptr;
    TempFolder m_temp;
    ScopedEnv m_root{"KALDO_ROOT", (m_temp / "root").c_str()};
    ScopedEnv m_config{"XDG_CONFIG_HOME", (m_temp / "config").c_str()};
    // Message boxes close by themselves.
    struct Unattended {
        Unattended() { SetUnattended(true); }
        ~Unattended() { SetUnattended(false); }
    } m_unattended;
    IniRegistry m_settings;
    std::unique_ptr<CupsSpooler> m_spooler;
    std::unique_ptr<SpoolerRegistryView> m_registry;
    std::unique_ptr<PrinterServices> m_services;
    MainWindow m_window;
    WindowHooks m_hooks{m_window};
    std::unique_ptr<AppContext> m_context;
};

} // namespace kaldo::testsupport
