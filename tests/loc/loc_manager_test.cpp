// Localisation tables: the language rows, cell quoting and escapes, look-ups, language switching
// and damaged tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "files.h"
#include "loc_manager.h"
#include "quellar_utils.h"
#include "temp_dir.h"
#include "test_application.h"

namespace {

// The table held in an exact-size block with no terminator behind it, so that a read past the
// end shows under the address sanitizer.
struct MemTable {
  CMemoryFile file;
  explicit MemTable(const std::string& text) {
    void* block = malloc(text.size() ? text.size() : 1);
    memcpy(block, text.data(), text.size());
    file.Attach(block, (int)text.size());
  }
};

void WriteTable(const char* name, const std::string& text) {
  std::ofstream out(name, std::ios::binary);
  out << text;
}

std::string Str(const CommonString& s) { return s.c_str(); }

// A table with one language and one row "key,<cell>", read for that language.
std::string TextOfCell(const std::string& cell) {
  CLocManager2 loc(nullptr);
  MemTable table("title,enUS\nkey," + cell);
  EXPECT_EQ(1, loc.ReadCSVFile(&table.file, (char*)"enUS"));
  return Str(loc.LoadString((char*)"key"));
}

const char* kTwoLanguages = "title,enUS,deDE\n"
                            ",English,Deutsch\n"
                            "hello,Hi,Hallo\n"
                            "bye,Bye,Tschuess\n";

// A game whose files come from the working directory, and a manager for it.
class LocOnDisk : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.ok());
    game.m_bUsePacks = 0;
  }
  // "table.csv" with two languages, read by loc.
  void InitTwoLanguages() {
    WriteTable("table.csv", kTwoLanguages);
    ASSERT_EQ(1, loc.Init(CommonString("table.csv"), 200));
  }
  ScopedTempDir dir;
  CTestApplication game;
  CLocManager2 loc{&game};
};

} // namespace

struct CellCase {
  std::string cell;
  const char* text;
};

class CellText : public ::testing::TestWithParam<CellCase> {};

TEST_P(CellText, ReadsQuotesEscapesAndBlanks) {
  EXPECT_EQ(GetParam().text, TextOfCell(GetParam().cell)) << "cell: " << GetParam().cell;
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CellText,
    ::testing::Values(
        // Quoting: commas and line feeds inside, doubled quotes, text after the closing quote.
        CellCase{"\"a,b\nc\"\"\"\"\",ignored\n", "a,b\nc\"\""},
        CellCase{"\"say \"\"hi\"\"\"\n", "say \"hi\""}, CellCase{"\"ab\"cd,x\n", "abcd"},
        CellCase{"ab\"c\n", "ab\"c"}, CellCase{" \"a,b\"\n", "\"a"},
        // Escapes apply inside and outside quotes; other backslashes stay.
        CellCase{"one\\ntwo\n", "one\r\ntwo"}, CellCase{"\"a\\tb\"\n", "a\tb"}, CellCase{"\\x\n", "\\x"},
        CellCase{"end\\", "end\\"},
        // Carriage returns drop outside quotes only; texts are trimmed of blanks and tabs.
        CellCase{"a\r\n", "a"}, CellCase{"\"a\rb\"\r\n", "a\rb"},
        CellCase{" \t spaced out \t\r\n", "spaced out"}, CellCase{"\"  quoted  \"\n", "quoted"},
        CellCase{"   \n", ""},
        // The end of the data: a last row without line feed, a closing quote as the last byte,
        // an open quote and a zero byte all end the table without losing the cell read so far.
        CellCase{"last", "last"}, CellCase{"\"closed\"", "closed"},
        CellCase{"\"never closed", "never closed"},
        CellCase{std::string("cut\0after\nother,x\n", 18), "cut"}));

TEST(LocTable, ReadsLanguageRowsAsWritten) {
  CLocManager2 loc(nullptr);
  MemTable table(" title ,enUS, deDE \n,English,\"Deutsch, formal\"\nhello,Hi,Hallo\n");
  ASSERT_EQ(1, loc.ReadLanguageIDs(&table.file));
  EXPECT_EQ("enUS", Str(loc.GetLangID(0)));
  EXPECT_EQ(" deDE ", Str(loc.GetLangID(1)));
  EXPECT_EQ("", Str(loc.GetLangID(2)));
  EXPECT_EQ("", Str(loc.GetLangID(-1)));
  EXPECT_EQ("English", Str(loc.GetLangDisplayName(0)));
  EXPECT_EQ("Deutsch, formal", Str(loc.GetLangDisplayName(1)));
  EXPECT_EQ("", Str(loc.GetLangDisplayName(2)));
}

TEST(LocTable, LanguageRowsCutOffByTheEndKeepOnlyFinishedCells) {
  struct {
    const char* table;
    int ids, names;
  } cases[] = {
      {"", 0, 0},
      {"t,enUS", 0, 0}, // the last id is cut off
      {"t,enUS,deDE\n,English", 2, 0},
      {"t,enUS\n,English\nmore,cells,here\n", 1, 1},
  };
  for (auto& c : cases) {
    CLocManager2 loc(nullptr);
    MemTable table(c.table);
    ASSERT_EQ(1, loc.ReadLanguageIDs(&table.file)) << c.table;
    EXPECT_EQ(c.ids, loc.m_LangIDs.GetSize()) << c.table;
    EXPECT_EQ(c.names, loc.m_LangDisplayNames.GetSize()) << c.table;
  }
  CLocManager2 loc(nullptr);
  MemTable table("t,\"en\nUS\"\r\n,Eng\\nlish\n");
  ASSERT_EQ(1, loc.ReadLanguageIDs(&table.file));
  EXPECT_EQ("en\nUS", Str(loc.GetLangID(0)));
  EXPECT_EQ("Eng\\nlish", Str(loc.GetLangDisplayName(0))); // no escapes in the language rows
}

TEST(LocTable, LooksUpTrimmedKeysAndTheLastOfDuplicates) {
  CLocManager2 loc(nullptr);
  MemTable table("t,enUS\n"
                 "  padded\t,one\n"
                 "dup,first\n"
                 ",no key\n"
                 "dup,second\n"
                 "short\n"
                 "tail,last\n");
  ASSERT_EQ(1, loc.ReadCSVFile(&table.file, (char*)"enUS"));
  EXPECT_EQ(5, loc.m_Entries.GetSize()); // the empty key is no entry
  EXPECT_EQ("one", Str(loc.LoadString((char*)"padded")));
  EXPECT_EQ("", Str(loc.LoadString((char*)"  padded\t")));
  EXPECT_EQ("second", Str(loc.LoadString((char*)"dup")));
  EXPECT_EQ("", Str(loc.LoadString((char*)"short"))); // a missing column
  for (const char* missing : {"", "absent", "Dup", "dup "})
    EXPECT_EQ("", Str(loc.LoadString((char*)missing))) << missing;
  EXPECT_EQ("", Str(loc.LoadString(nullptr)));

  // Offsets count in table order from the key's entry.
  EXPECT_EQ("first", Str(loc.LoadString((char*)"dup", -1)));
  EXPECT_EQ("last", Str(loc.LoadString((char*)"dup", 2)));
  EXPECT_EQ("one", Str(loc.LoadString((char*)"tail", -4)));
  EXPECT_EQ("", Str(loc.LoadString((char*)"tail", 1)));
  EXPECT_EQ("", Str(loc.LoadString((char*)"padded", -1)));
  EXPECT_EQ("", Str(loc.LoadString((char*)"padded", 0x7FFFFFFF)));
  EXPECT_EQ("", Str(loc.LoadString((char*)"absent", 1)));
}

TEST(LocTable, KeysWithCollidingOrZeroHashesAreFoundByTheirOwnText) {
  // "@R" and "AB" share a hash; "\x01\xF0" hashes to 0.
  ASSERT_EQ(GetHashCode("@R"), GetHashCode("AB"));
  ASSERT_EQ(0, GetHashCode("\x01\xF0"));
  CLocManager2 loc(nullptr);
  MemTable table("t,enUS\n@R,one\nmid,two\nAB,three\n\x01\xF0,zero\n");
  ASSERT_EQ(1, loc.ReadCSVFile(&table.file, (char*)"enUS"));
  EXPECT_EQ("one", Str(loc.LoadString((char*)"@R")));
  EXPECT_EQ("three", Str(loc.LoadString((char*)"AB")));
  EXPECT_EQ("two", Str(loc.LoadString((char*)"@R", 1)));
  EXPECT_EQ("two", Str(loc.LoadString((char*)"AB", -1)));
  EXPECT_EQ("zero", Str(loc.LoadString((char*)"\x01\xF0")));
}

TEST(LocTable, PicksTheLanguageColumnByItsExactId) {
  struct {
    const char* id;
    const char* hello;
  } cases[] = {{"enUS", "Hi"}, {"deDE", "Hallo2"}, {"frFR", ""}, {"enus", ""}, {"", ""}, {"title", ""}};
  for (auto& c : cases) {
    CLocManager2 loc(nullptr);
    // deDE appears twice: the last column counts. "title" sits in the key column.
    MemTable table("title,enUS,deDE,deDE\n,English,Deutsch\nhello,Hi,Hallo1,Hallo2\nbye,Bye\n");
    ASSERT_EQ(1, loc.ReadCSVFile(&table.file, (char*)c.id)) << c.id;
    EXPECT_EQ(2, loc.m_Entries.GetSize()) << c.id; // a language not in the table: keys, empty texts
    EXPECT_EQ(c.hello, Str(loc.LoadString((char*)"hello"))) << c.id;
  }
}

TEST(LocTable, TheSecondRowIsAnEntryWhenItHasAKey) {
  CLocManager2 loc(nullptr);
  MemTable table("t,enUS,deDE\nlanguage,English,Deutsch\n");
  ASSERT_EQ(1, loc.ReadCSVFile(&table.file, (char*)"deDE"));
  EXPECT_EQ("Deutsch", Str(loc.LoadString((char*)"language")));
}

TEST(LocTable, RefusesAFileWithoutContentAndKeepsWhatItHad) {
  CLocManager2 loc(nullptr);
  MemTable good("t,enUS\nk,v\n");
  ASSERT_EQ(1, loc.ReadCSVFile(&good.file, (char*)"enUS"));
  CMemoryFile closed;
  EXPECT_EQ(0, loc.ReadCSVFile(&closed, (char*)"enUS"));
  EXPECT_EQ(0, loc.ReadCSVFile((IMemFile*)nullptr, (char*)"enUS"));
  EXPECT_EQ(0, loc.ReadLanguageIDs(&closed));
  EXPECT_EQ("v", Str(loc.LoadString((char*)"k")));
  // Without an application object no table can be opened.
  EXPECT_EQ(0, loc.ReadCSVFile(CommonString("table.csv"), (char*)"enUS"));
  EXPECT_EQ(0, loc.Init(CommonString("table.csv"), 10));
}

TEST(LocTable, LongCellsGrowTheirBuffer) {
  std::string longText(5000, 'x');
  longText[2500] = ',';
  EXPECT_EQ(longText, TextOfCell("\"" + longText + "\"\n"));
}

TEST_F(LocOnDisk, SwitchesLanguagesByRereadingTheTable) {
  ASSERT_NO_FATAL_FAILURE(InitTwoLanguages());
  EXPECT_EQ(-1, loc.m_nCurrentLanguage);
  EXPECT_EQ(0, loc.m_Entries.GetSize()); // no texts before a language is chosen
  EXPECT_EQ(2, loc.m_LangIDs.GetSize());

  ASSERT_EQ(1, loc.SetCurrentLanguage(1));
  EXPECT_EQ(1, loc.m_nCurrentLanguage);
  EXPECT_EQ("Hallo", Str(loc.LoadString((char*)"hello")));
  EXPECT_EQ(2, loc.m_Entries.GetSize());
  EXPECT_EQ(200, loc.m_Entries.GetCapacity());

  ASSERT_EQ(1, loc.SetCurrentLanguage(0));
  EXPECT_EQ("Hi", Str(loc.LoadString((char*)"hello")));
  EXPECT_EQ(2, loc.m_Entries.GetSize()); // replaced, not appended

  for (int bad : {2, 5, -1})
    EXPECT_EQ(0, loc.SetCurrentLanguage(bad)) << bad;
  EXPECT_EQ(0, loc.m_nCurrentLanguage);
  EXPECT_EQ("Bye", Str(loc.LoadString((char*)"bye")));
}

TEST_F(LocOnDisk, AFailedSwitchKeepsTheCurrentLanguagesTexts) {
  ASSERT_NO_FATAL_FAILURE(InitTwoLanguages());
  ASSERT_EQ(1, loc.SetCurrentLanguage(0));
  ASSERT_EQ(0, remove("table.csv"));
  EXPECT_EQ(0, loc.SetCurrentLanguage(1));
  EXPECT_EQ(0, loc.m_nCurrentLanguage);
  EXPECT_EQ("Hi", Str(loc.LoadString((char*)"hello")));
}

TEST_F(LocOnDisk, InitNeedsAReadableTableAndAnEmptyOneHasNoLanguages) {
  EXPECT_EQ(0, loc.Init(CommonString("missing.csv"), 200));
  EXPECT_EQ(0, loc.SetCurrentLanguage(0));

  WriteTable("empty.csv", "");
  ASSERT_EQ(1, loc.Init(CommonString("empty.csv"), 200));
  EXPECT_EQ(0, loc.m_LangIDs.GetSize());
  EXPECT_EQ(0, loc.SetCurrentLanguage(0));

  // An empty id cannot be chosen.
  WriteTable("blank.csv", "t,,enUS\n,None,English\nk,a,b\n");
  ASSERT_EQ(1, loc.Init(CommonString("blank.csv"), 200));
  EXPECT_EQ(0, loc.SetCurrentLanguage(0));
  EXPECT_EQ(1, loc.SetCurrentLanguage(1));
  EXPECT_EQ("b", Str(loc.LoadString((char*)"k")));
}

TEST_F(LocOnDisk, TheBuiltInLanguageNeedsNoTable) {
  ASSERT_NO_FATAL_FAILURE(InitTwoLanguages());
  ASSERT_EQ(1, loc.SetCurrentLanguage(1));
  ASSERT_EQ(1, loc.InitWithDefuaultLanguage(50));
  EXPECT_EQ(0, loc.m_nCurrentLanguage);
  EXPECT_EQ(1, loc.m_LangIDs.GetSize());
  EXPECT_EQ("enUS", Str(loc.GetLangID(0)));
  EXPECT_EQ("English", Str(loc.GetLangDisplayName(0)));
  EXPECT_EQ("", Str(loc.LoadString((char*)"hello")));
  EXPECT_EQ(50, loc.m_Entries.GetGrowthStep());
  EXPECT_EQ(0, loc.SetCurrentLanguage(0)); // no table to read
}

TEST_F(LocOnDisk, TheApplicationObjectOwnsItsManager) {
  WriteTable("table.csv", kTwoLanguages);
  game.InitLocManager2(CommonString("missing.csv"));
  ASSERT_NE(nullptr, game.m_pLocManager);
  EXPECT_EQ(0, game.m_pLocManager->m_LangIDs.GetSize());

  // A second call replaces the first manager (the leak checker sees one left behind).
  game.InitLocManager2(CommonString("table.csv"));
  CLocManager2* loc = game.m_pLocManager;
  ASSERT_NE(nullptr, loc);
  EXPECT_EQ(&game, loc->m_pGame);
  EXPECT_EQ(200, loc->m_Entries.GetGrowthStep());
  ASSERT_EQ(1, loc->SetCurrentLanguage(1));
  EXPECT_EQ("Tschuess", Str(loc->LoadString((char*)"bye")));
}

TEST(LocCrop, CutsBlanksAndTabsAtBothEnds) {
  struct {
    const char* in;
    const char* out;
  } cases[] = {{" a b ", "a b"}, {"\t\tx", "x"}, {"x \t", "x"}, {" \t ", ""}, {"x", "x"}, {"", ""}};
  for (auto& c : cases) {
    EXPECT_EQ(c.out, Str(CLocManager2::CropStartEndSpaces(CommonString(c.in)))) << '"' << c.in << '"';
    EXPECT_STREQ(c.out, CLocManager2::CropStartEndSpaces(CommonStringRS<50>(c.in)).GetData());
  }
  std::string longText = "  " + std::string(80, 'y') + "  ";
  CommonStringRS<50> cropped = CLocManager2::CropStartEndSpaces(CommonStringRS<50>(longText.c_str()));
  EXPECT_EQ(std::string(80, 'y'), cropped.GetData());

  // The character form works in place: trailing blanks become zero bytes, but never the first.
  char text[] = " ab  ";
  EXPECT_EQ("ab", Str(CLocManager2::CropStartEndSpaces(text, 5)));
  EXPECT_EQ(0, memcmp(text, " ab\0\0", 5));
  char blank[] = "  ";
  EXPECT_EQ("", Str(CLocManager2::CropStartEndSpaces(blank, 2)));
  EXPECT_EQ(' ', blank[0]);
  // Only length characters count; below 1 the text is returned as it is.
  char longer[] = " ab cd";
  EXPECT_EQ("ab", Str(CLocManager2::CropStartEndSpaces(longer, 4)));
  char untouched[] = " keep ";
  EXPECT_EQ(" keep ", Str(CLocManager2::CropStartEndSpaces(untouched, 0)));
}
