#include "ui/table/tab_separated_text.h"

#include <gtest/gtest.h>

namespace orv::ui {
namespace {

using automation::Text;

TEST(TabSeparatedText, WritesRowsAsASpreadsheetPastesThem) {
    EXPECT_EQ(writeTabSeparated({{u"1", u"P1", u"10.5"}, {u"2", u"", u"-3"}}), u"1\tP1\t10.5\r\n2\t\t-3\r\n");
}

TEST(TabSeparatedText, QuotesCellsHoldingSeparatorsOrQuotes) {
    Text written = writeTabSeparated({{u"a\tb", u"say \"hi\"", u"two\nlines"}});
    EXPECT_EQ(written, u"\"a\tb\"\t\"say \"\"hi\"\"\"\t\"two\nlines\"\r\n");
    EXPECT_EQ(readTabSeparated(written), (TextRows{{u"a\tb", u"say \"hi\"", u"two\nlines"}}));
}

TEST(TabSeparatedText, ReadsEveryLineEndAndIgnoresTheLastOne) {
    EXPECT_EQ(readTabSeparated(u"1\t2\r\n3\t4\n5\t6\r7\t8\r\n"),
              (TextRows{{u"1", u"2"}, {u"3", u"4"}, {u"5", u"6"}, {u"7", u"8"}}));
    EXPECT_EQ(readTabSeparated(u"1\t2"), (TextRows{{u"1", u"2"}}));
}

TEST(TabSeparatedText, KeepsEmptyCellsAndEmptyLinesInside) {
    EXPECT_EQ(readTabSeparated(u"\t\tx\r\n\r\ny\t\r\n"), (TextRows{{u"", u"", u"x"}, {u""}, {u"y", u""}}));
    EXPECT_TRUE(readTabSeparated(u"").empty());
}

TEST(TabSeparatedText, RoundTripsWhatItWrites) {
    TextRows rows{{u"12", u"Nombre con blancos", u"1234567.125", u"-0.001", u"", u"Capa \"1\""}};
    EXPECT_EQ(readTabSeparated(writeTabSeparated(rows)), rows);
}

}  // namespace
}  // namespace orv::ui
