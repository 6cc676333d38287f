#include "contenttool/ContentProblems.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

TEST(ContentProblemsTest, EachProblemIsListedOnceInTheOrderFound) {
    ProblemList list;
    list.Add("b/x.xsl", "missing");
    list.Add("a/y.xml", "not well-formed XML");
    list.Add("b/x.xsl", "missing");
    ASSERT_EQ(list.Items().size(), 2u);
    EXPECT_EQ(FormatProblem(list.Items()[0]), "b/x.xsl: missing");
    EXPECT_EQ(FormatProblem(list.Items()[1]), "a/y.xml: not well-formed XML");
    EXPECT_TRUE(list.Names("a/y.xml"));
    EXPECT_FALSE(list.Names("a"));
}

TEST(ContentProblemsTest, WorkingPathsAreShownBelowTheFolderAsGiven) {
    const ShownPaths shown("/tmp/stage/Data/p3000/", "content/p3000/");
    EXPECT_EQ(shown.Show("/tmp/stage/Data/p3000/xml/index.xsl"), "content/p3000/xml/index.xsl");
    EXPECT_EQ(shown.Show("/tmp/stage/Data/p3000"), "content/p3000");
    // Only whole folder names match.
    EXPECT_EQ(shown.Show("/tmp/stage/Data/p30001/a"), "/tmp/stage/Data/p30001/a");
    EXPECT_EQ(shown.Show("/elsewhere/a"), "/elsewhere/a");
    EXPECT_EQ(shown.ShowText("error: file /tmp/stage/Data/p3000/a.xsl and "
                             "/tmp/stage/Data/p3000/b.xsl"),
              "error: file content/p3000/a.xsl and content/p3000/b.xsl");
}

} // namespace
} // namespace kaldo
