// Journal lines: every kind of event parses and formats back to itself; malformed lines, and bytes
// that are no UTF-8 text, are refused with their line number; the frame order is enforced.
#include <gtest/gtest.h>

#include <screen/screen.h>
#include <standin/journal.h>

using standin::JournalEvent;
using standin::LineResult;

namespace {

struct GoodLine {
  const char* text;
  const char* formatted; // what it formats back to
};

void PrintTo(const GoodLine& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class JournalGoodLine : public ::testing::TestWithParam<GoodLine> {};

TEST_P(JournalGoodLine, ParsesAndFormatsBack) {
  JournalEvent e;
  std::string error;
  ASSERT_EQ(standin::ParseJournalLine(GetParam().text, &e, &error), LineResult::Event) << error;
  EXPECT_EQ(standin::FormatJournalEvent(e), GetParam().formatted);
  JournalEvent again;
  ASSERT_EQ(standin::ParseJournalLine(standin::FormatJournalEvent(e), &again, &error), LineResult::Event);
  EXPECT_EQ(standin::FormatJournalEvent(again), GetParam().formatted);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, JournalGoodLine,
    ::testing::Values(GoodLine{"0 touch down 0 10 20", "0 touch down 0 10 20"},
                      GoodLine{"  7\ttouch move 3 -5 600  ", "7 touch move 3 -5 600"},
                      GoodLine{"12 touch up 1 1023 599 # lifted", "12 touch up 1 1023 599"},
                      GoodLine{"3 tilt 0.5 -0.25 9.75", "3 tilt 0.5 -0.25 9.75"},
                      GoodLine{"4 nav exit", "4 nav exit"}, GoodLine{"4 nav window 2", "4 nav window 2"},
                      GoodLine{"5 nav swipedown", "5 nav swipedown"}, GoodLine{"8 key  back", "8 key back"},
                      GoodLine{"6 nav orientation 270", "6 nav orientation 270"},
                      GoodLine{"1 store purchase success 10", "1 store purchase success 10"},
                      GoodLine{"1 store restore cancel 0", "1 store restore cancel 0"},
                      GoodLine{"2 store purchase error 4 3 Network is down",
                               "2 store purchase error 4 3 Network is down"},
                      GoodLine{"2 store restore error 0 7", "2 store restore error 0 7"},
                      GoodLine{"2 store purchase error 0 3 Carte refus\xC3\xA9"
                               "e # UTF-8 text \xE2\x9C\x93",
                               "2 store purchase error 0 3 Carte refus\xC3\xA9"
                               "e"},
                      GoodLine{"4 nav exit\r", "4 nav exit"}));

TEST(JournalTest, FieldsOfATouchAndAStoreAnswer) {
  JournalEvent e;
  ASSERT_EQ(standin::ParseJournalLine("9 touch up 2 30 40", &e, nullptr), LineResult::Event);
  EXPECT_EQ(e.frame, 9);
  EXPECT_EQ(e.kind, JournalEvent::Kind::Touch);
  EXPECT_EQ(e.touchType, SCREEN_EVENT_MTOUCH_RELEASE);
  EXPECT_EQ(e.touchId, 2);
  EXPECT_EQ(e.x, 30);
  EXPECT_EQ(e.y, 40);
  ASSERT_EQ(standin::ParseJournalLine("5 store purchase error 12 3 Card declined", &e, nullptr),
            LineResult::Event);
  EXPECT_EQ(e.kind, JournalEvent::Kind::StorePurchase);
  EXPECT_EQ(e.outcome, JournalEvent::Outcome::Error);
  EXPECT_EQ(e.delayFrames, 12);
  EXPECT_EQ(e.errorId, 3);
  EXPECT_EQ(e.errorText, "Card declined");
}

TEST(JournalTest, BlankAndCommentLinesAreSkipped) {
  for (const char* line : {"", "   ", "# a comment", "  # indented comment"})
    EXPECT_EQ(standin::ParseJournalLine(line, nullptr, nullptr), LineResult::Blank) << line;
}

class JournalBadLine : public ::testing::TestWithParam<const char*> {};

TEST_P(JournalBadLine, IsMalformedWithAReason) {
  std::string error;
  EXPECT_EQ(standin::ParseJournalLine(GetParam(), nullptr, &error), LineResult::Malformed);
  EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, JournalBadLine,
    ::testing::Values("touch down 0 1 2", "-1 nav exit", "x nav exit", "3", "3 jump", "3 touch press 0 1 2",
                      "3 touch down 0 1", "3 touch down 0 1 2 3", "3 touch down -1 1 2",
                      "3 touch down 0 1.5 2", "3 touch down 0 1 2x", "3 tilt 1 2", "3 tilt 1 2 nan",
                      "3 tilt a 0 0", "3 nav", "3 nav fly", "3 nav exit now", "3 key", "3 key home",
                      "3 key back 1", "3 nav window 3", "3 nav window", "3 nav orientation 45",
                      "3 nav orientation 360", "3 store", "3 store buy success 1", "3 store purchase maybe 1",
                      "3 store purchase success", "3 store purchase success -2",
                      "3 store purchase cancel 1 extra", "3 store restore error 1",
                      "3 store restore error 1 x", "99999999999 nav exit", "3 nav exit # \x07",
                      "3 nav exit\x7F", "3 nav\x0Bexit", "3 nav exit # caf\xE9", "3 nav exit # \xC3",
                      "3 nav exit # \xC0\xAF"));

TEST(JournalTest, WholeTextReportsTheFirstBadLineNumber) {
  std::vector<JournalEvent> events;
  int line = 0;
  std::string error;
  EXPECT_TRUE(standin::ParseJournal("# start\n1 touch down 0 5 5\n\n2 nav exit\n", &events, &line, &error));
  EXPECT_EQ(events.size(), 2u);

  EXPECT_FALSE(
      standin::ParseJournal("1 nav exit\n# fine\n2 nav window 9\n3 nav exit\n", &events, &line, &error));
  EXPECT_EQ(line, 3);
  EXPECT_NE(error.find("window"), std::string::npos) << error;

  EXPECT_FALSE(standin::ParseJournal("5 nav swipedown\n4 nav exit\n", &events, &line, &error));
  EXPECT_EQ(line, 2);
  EXPECT_NE(error.find("after frame 5"), std::string::npos) << error;
}

} // namespace
