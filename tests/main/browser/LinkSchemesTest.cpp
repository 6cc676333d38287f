#include "main/browser/LinkSchemes.h"

#include <QWebEngineUrlScheme>

#include <gtest/gtest.h>

namespace kaldo {
namespace {

TEST(LinkSchemesTest, EverySchemeOfTheLinkFormsIsRegistered) {
    RegisterLinkSchemes();
    RegisterLinkSchemes(); // a second call changes nothing

    for (const char* scheme :
         {"sp", "doc", "video", "pweb", "printermodelurl", "qst", "uat", "serviceurl",
          "suppliesurl", "ps", "util-driver", "util-search", "util-rs", "search"}) {
        SCOPED_TRACE(scheme);
        const QWebEngineUrlScheme registered = QWebEngineUrlScheme::schemeByName(scheme);
        EXPECT_EQ(registered.name(), QByteArray(scheme));
        EXPECT_EQ(registered.syntax(), QWebEngineUrlScheme::Syntax::Path);
    }
    EXPECT_EQ(LinkSchemes().size(), 14u);
}

TEST(LinkSchemesTest, LinkTextKeepsEveryHash) {
    const QUrl url(QStringLiteral("file:///data/UI/tab#2page#4"));

    EXPECT_EQ(LinkText(url), "file:///data/UI/tab#2page#4");
}

TEST(LinkSchemesTest, LinkTextDecodesSpacesAndLettersButNotDelimiters) {
    EXPECT_EQ(LinkText(QUrl(QStringLiteral("sp:Office%20Printer"))), "sp:Office Printer");
    EXPECT_EQ(LinkText(QUrl(QStringLiteral("sp:B%C3%BCro"))), "sp:B\xC3\xBCro");
    EXPECT_EQ(LinkText(QUrl(QStringLiteral("sp:50%25"))), "sp:50%25");
    EXPECT_EQ(LinkText(QUrl(QStringLiteral("file:///d/s.html?keywords=a%2Bb%26c"))),
              "file:///d/s.html?keywords=a%2Bb%26c");
}

TEST(LinkSchemesTest, AbsolutePathBecomesAFileUrl) {
    EXPECT_EQ(LinkUrl("/data/Model X/UI/main.html"),
              QUrl::fromLocalFile(QStringLiteral("/data/Model X/UI/main.html")));
    EXPECT_EQ(LinkUrl("/data/50%/a#b.html").toLocalFile(), QStringLiteral("/data/50%/a#b.html"));
}

TEST(LinkSchemesTest, LinkTextOfALocalFileLeadsBackToTheSameFile) {
    for (const char* path :
         {"/data/Model X/UI/main.html", "/data/B\xC3\xBCro 50%/main.html", "/data/a#b/main.html"}) {
        SCOPED_TRACE(path);
        const QUrl file = QUrl::fromLocalFile(QString::fromUtf8(path));
        EXPECT_EQ(LinkUrl(LinkText(file)).toLocalFile(), QString::fromUtf8(path));
    }
}

TEST(LinkSchemesTest, UrlTextIsLoadedAsWritten) {
    EXPECT_EQ(LinkUrl("http://www.example.com/model"),
              QUrl(QStringLiteral("http://www.example.com/model")));
    EXPECT_EQ(LinkUrl("file:///data/main.html").toLocalFile(), QStringLiteral("/data/main.html"));
}

} // namespace
} // namespace kaldo
