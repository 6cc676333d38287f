#include "main/launchers/ContentItem.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kaldo {
namespace {

TEST(ContentItemTest, FileNameIsTheTextAfterTheFirstKey) {
    EXPECT_EQ(ItemFileName("&FileName=kp3000_user_guide"), "kp3000_user_guide");
    EXPECT_EQ(ItemFileName("Page=x&FileName=a&FileName=b"), "a&FileName=b");
    EXPECT_EQ(ItemFileName("FileName="), "");
}

TEST(ContentItemTest, FileNameKeyIsMatchedWithItsCase) {
    EXPECT_FALSE(ItemFileName("&filename=guide").has_value());
    EXPECT_FALSE(ItemFileName("&FILENAME=guide").has_value());
    EXPECT_FALSE(ItemFileName("").has_value());
}

TEST(ContentItemTest, PlainNamesStayInTheirFolder) {
    EXPECT_TRUE(IsPlainFileName("guide.pdf"));
    EXPECT_TRUE(IsPlainFileName("..guide"));
    EXPECT_TRUE(IsPlainFileName("Benutzerhandbuch für Drucker.pdf"));
}

TEST(ContentItemTest, NamesThatLeaveTheirFolderAreNotPlain) {
    for (const char* name : {"", ".", "..", "../guide.pdf", "/etc/passwd", "docs/guide.pdf",
                             "..\\guide.pdf", "C:\\guide.pdf", "a\tb", "a\x7f"})
        EXPECT_FALSE(IsPlainFileName(name)) << name;
}

TEST(ContentItemTest, HtmlAndFlashNamesAreWebContent) {
    EXPECT_TRUE(IsWebContent("tour.html"));
    EXPECT_TRUE(IsWebContent("tour.htm"));
    EXPECT_TRUE(IsWebContent("specs.html.pdf"));
    EXPECT_TRUE(IsWebContent("intro.swf"));
    EXPECT_TRUE(IsFlashContent("intro.swf"));
    EXPECT_FALSE(IsFlashContent("tour.html"));
    EXPECT_FALSE(IsWebContent("load_paper.webm"));
    EXPECT_FALSE(IsWebContent("guide.pdf"));
}

TEST(ContentItemTest, OnlyHttpAndHttpsAreWebAddresses) {
    EXPECT_TRUE(IsWebAddress("http://www.kaldo.example/"));
    EXPECT_TRUE(IsWebAddress("HTTPS://www.kaldo.example/"));
    EXPECT_FALSE(IsWebAddress("file:///etc/passwd"));
    EXPECT_FALSE(IsWebAddress("ftp://www.kaldo.example/"));
    EXPECT_FALSE(IsWebAddress(" http://www.kaldo.example/"));
    EXPECT_FALSE(IsWebAddress(""));
}

TEST(ContentItemTest, FileWithoutHtmlIsTheWantedFile) {
    EXPECT_EQ(InspectDownload("%PDF-1.4\n...").Kind, DownloadKind::Wanted);
    EXPECT_EQ(InspectDownload("").Kind, DownloadKind::Wanted);
    EXPECT_EQ(InspectDownload("%PDF-1.4\n(see html links inside)").Kind, DownloadKind::Wanted);
}

TEST(ContentItemTest, HtmlPageInAnyLetterCaseIsAPage) {
    for (const char* head :
         {"<html><title>x</title></html>", "<Html><body>Not Found</body></Html>",
          "\xEF\xBB\xBF \r\n\t<!DOCTYPE html>\n<head><title>404 Not Found</title></head>",
          "<!doctype HTML><title>Internal Server Error</title>",
          "<?xml version=\"1.0\"?>\n<!-- error -->\n<html xmlns=\"http://www.w3.org/1999/xhtml\">"})
        EXPECT_EQ(InspectDownload(head).Kind, DownloadKind::Page) << head;
}

TEST(ContentItemTest, RedirectTitleMayBeInAnyLetterCase) {
    const DownloadedContent page =
        InspectDownload("<html><head><title>http://cdn.kaldo.example/a.pdf</Title></head>");
    EXPECT_EQ(page.Kind, DownloadKind::Redirect);
    EXPECT_EQ(page.Address, "http://cdn.kaldo.example/a.pdf");
}

TEST(ContentItemTest, HtmlWithTitleNamesTheNewAddress) {
    const DownloadedContent page = InspectDownload(
        "<HTML><HEAD><TITLE>\n https://cdn.kaldo.example/guide.pdf \n</TITLE></HEAD></HTML>");
    EXPECT_EQ(page.Kind, DownloadKind::Redirect);
    EXPECT_EQ(page.Address, "https://cdn.kaldo.example/guide.pdf");
}

TEST(ContentItemTest, HtmlWithoutCompleteTitleIsAPage) {
    EXPECT_EQ(InspectDownload("<HTML><BODY>404</BODY></HTML>").Kind, DownloadKind::Page);
    EXPECT_EQ(InspectDownload("<HTML><TITLE>https://cdn.kaldo.example/").Kind, DownloadKind::Page);
    EXPECT_EQ(InspectDownload("<HTML></TITLE>x<TITLE>").Kind, DownloadKind::Page);
    // A title that is no web address names no new place for the file.
    EXPECT_EQ(InspectDownload("<HTML><TITLE>file:///etc/passwd</TITLE>").Kind, DownloadKind::Page);
}

TEST(ContentItemTest, OnlyTheFirstKilobyteCounts) {
    const std::string padding(kDownloadHeadBytes, ' ');
    EXPECT_EQ(InspectDownload(padding + "<HTML>").Kind, DownloadKind::Wanted);
    const std::string lateTitle = "<HTML>" + padding + "<TITLE>http://x.example/</TITLE>";
    EXPECT_EQ(InspectDownload(lateTitle).Kind, DownloadKind::Page);
}

TEST(ContentItemTest, ReadHeadReadsAtMostTheFirstKilobyte) {
    testsupport::TempFolder folder;
    const std::string longFile = folder / "long.bin";
    std::ofstream(longFile, std::ios::binary) << std::string(3000, 'x');
    EXPECT_EQ(ReadHead(longFile), std::string(kDownloadHeadBytes, 'x'));

    const std::string shortFile = folder / "short.bin";
    std::ofstream(shortFile, std::ios::binary) << std::string("ab\0c", 4);
    EXPECT_EQ(ReadHead(shortFile), std::string("ab\0c", 4));

    EXPECT_EQ(ReadHead(folder / "missing.bin"), "");
}

} // namespace
} // namespace kaldo
