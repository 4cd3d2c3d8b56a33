// The text parser: meaningful lines from memory and stdio files alike, properties, items, numbers.
#include <gtest/gtest.h>

#include "files_test_util.h"
#include "parser.h"

namespace {

typedef Parser::Text Text;

// Every line GetNextLine delivers, read once through a memory file and once through a stdio file.
class ParserLinesTest : public ::testing::TestWithParam<bool> {
protected:
  std::vector<std::string> Lines(const std::string& content) {
    std::vector<std::string> out;
    CMemoryFile mem;
    CiPhoneFile disk;
    IFile* file = &mem;
    if (GetParam()) {
      WriteBytes(dir / "t.txt", ToBytes(content));
      EXPECT_EQ(disk.Open(nullptr, (dir / "t.txt").c_str(), 2), 1);
      file = &disk;
    } else {
      char* copy = (char*)malloc(content.size() + 1);
      memcpy(copy, content.data(), content.size());
      mem.Attach(copy, (int)content.size());
    }
    Text line;
    while (Parser::GetNextLine(file, line) && out.size() < 100)
      out.push_back(line.GetData());
    return out;
  }
  ScratchDir dir;
};

TEST_P(ParserLinesTest, CommentsBlanksAndLineEndsAreSkipped) {
  typedef std::vector<std::string> L;
  EXPECT_EQ(Lines(""), L());
  EXPECT_EQ(Lines("\n\r\n  \t \n// only a comment\n   // another\n"), L());
  EXPECT_EQ(Lines("  name = value   // trailing comment\r\nnext\tline \t\n"),
            L({"name = value", "next\tline"}));
  EXPECT_EQ(Lines("a\n//c1\n\n  b//c2\nc"), L({"a", "b", "c"})) << "the last line needs no line end";
  EXPECT_EQ(Lines("path = a/b/c\nend/"), L({"path = a/b/c", "end"})) << "a '/' ending the file is dropped";
  EXPECT_EQ(Lines("/x = 1\n/"), L({"/x = 1"}));
  EXPECT_EQ(Lines("a/\nb"), L({"a/", "b"})) << "a '/' before a line end ends the line";
  std::string longLine(300, 'q');
  EXPECT_EQ(Lines(longLine + "\n" + longLine + "//c"), L({longLine, longLine}));
}

INSTANTIATE_TEST_SUITE_P(Files, ParserLinesTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Stdio" : "Memory";
                         });

TEST(ParserTest, PropertyLinesSplitIntoNameAndValue) {
  struct {
    const char* line;
    bool result;
    const char* name;
    const char* value;
  } cases[] = {
      {"name = value", true, "name", "value"},
      {"font: \"Big Font\"  ", true, "font", "\"Big Font\""},
      {"x = a:b", true, "x", "ab"},
      {"x = \"a:b\"", true, "x", "\"a:b\""},
      {"x =   ", true, "x", ""},
      {"just a value  ", true, "", "just a value"},
      {"url // a=b", true, "", "url // a=b"},
      {"", false, "", ""},
  };
  for (auto& c : cases) {
    Text line(c.line), name("old"), value("old");
    EXPECT_EQ(Parser::ReadPropertyFromString(line, name, value), c.result) << c.line;
    EXPECT_STREQ(name.GetData(), c.name) << c.line;
    EXPECT_STREQ(value.GetData(), c.value) << c.line;
  }
  EXPECT_STREQ(Parser::ExtractName(Text("\"a:b\"")).GetData(), "a:b");
  EXPECT_STREQ(Parser::ExtractName(Text("\"left")).GetData(), "left");
  EXPECT_STREQ(Parser::ExtractName(Text("right\"")).GetData(), "right");
  EXPECT_STREQ(Parser::ExtractName(Text("\"")).GetData(), "");
  EXPECT_STREQ(Parser::RemoveLastSpaces(Text("   ")).GetData(), " ");
  EXPECT_STREQ(Parser::RemoveLastSpaces(Text("a \t ")).GetData(), "a");
}

TEST(ParserTest, ValuesSplitIntoItemsOutsideQuotes) {
  struct {
    const char* text;
    int count;
    int found;
    std::vector<std::string> items;
  } cases[] = {
      {"1, 2 ,3", 3, 3, {"1", "2", "3"}},
      {"1, 2 ,3", 2, 2, {"1", "2"}},
      {"1, 2 ,3", 5, 3, {"1", "2", "3", "", ""}},
      {"\"two words\", third", 3, 2, {"\"two words\"", "third", ""}},
      {"a\tb,,c", 2, 2, {"a\tb", "c"}},
      {"", 2, 0, {"", ""}},
  };
  for (auto& c : cases) {
    std::vector<Text> items((size_t)c.count, Text("stale"));
    int found = -1;
    Parser::GetSubStringsArrayVar(Text(c.text), c.count, items.data(), found);
    EXPECT_EQ(found, c.found) << c.text;
    for (int i = 0; i < c.count; i++)
      EXPECT_STREQ(items[(size_t)i].GetData(), c.items[(size_t)i].c_str()) << c.text;
  }
}

TEST(ParserTest, NumbersComeFromTheTrailingDigits) {
  struct {
    const char* text;
    int i;
  } ints[] = {{"42", 42}, {"-17", -17}, {"12ab34", 34}, {"1.5", 5}, {"5-", 0},
              {"+7", 7},  {"-", 0},     {"", 0},        {"x", 0},   {"0", 0}};
  for (auto& c : ints)
    EXPECT_EQ(Parser::AToI(c.text), c.i) << c.text;
  EXPECT_EQ(Parser::AToI(nullptr), 0);
  EXPECT_FALSE(Parser::AToB("0"));
  EXPECT_TRUE(Parser::AToB("2"));

  struct {
    const char* text;
    int f8;
    int f16;
  } fixed[] = {
      {"2", 512, 131072}, {"1.5", 384, 98304},  {"-0.25", -64, -16384}, {"0.1", 26, 6554},
      {".5", 128, 32768}, {"5.", 1280, 327680}, {"1.2.3", 0, 0},        {"1 ", 0, 0},
      {"-", 0, 0},        {"", 0, 0},           {"x1.5", 384, 98304},   {"0.00000000001", 0, 0},
  };
  for (auto& c : fixed) {
    EXPECT_EQ(Parser::AToF(c.text, 0), c.f8) << c.text;
    EXPECT_EQ(Parser::AToF16(c.text, 0), c.f16) << c.text;
  }
  EXPECT_EQ(Parser::AToF("3", 1), 6 << 8);
}

} // namespace
