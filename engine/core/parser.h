// Parser: the engine's text files as meaningful lines, name = value properties, items and numbers.
#pragma once

#include "common_string.h"
#include "files.h"
#include "quellar_types.h"

// Lines end at '\n' or '\r'; "//" starts a comment anywhere on a line; blanks are ' ' and tab.
class Parser {
public:
  typedef CommonStringRS<50> Text;

  // The next line that is neither blank nor a comment, without trailing blanks; false at the end.
  static bool GetNextLine(IFile* file, Text& line);
  static Text ReadNextLineFromFile(IFile* file);
  static Text ReadNextLineFromMemFile(IMemFile* file);

  // '=' or ':' before any "//".
  static bool IsPropertyString(Text& line);
  // name = value (or name : value); a line without a separator is all value. False for "".
  static bool ReadPropertyFromString(Text& line, Text& name, Text& value);

  static Text RemoveLastSpaces(Text text);
  static Text RemoveStartEndSymbol(Text text, char start, char end);
  static Text ExtractName(Text text) { return RemoveStartEndSymbol(text, '"', '"'); }

  // Items separated by runs of ',' or ' ' outside double quotes; quotes stay in the items.
  static void GetSubStringsArray(Text text, int count, Text* items);
  static void GetSubStringsArrayVar(Text text, int count, Text* items, int& found);

  // Numbers come from the trailing digits: "12ab34" gives 34; a text not ending in a digit gives 0.
  static int AToI(const char* text);
  static bool AToB(const char* text) { return AToI(text) != 0; }
  static FIXED_FLOAT AToF(const char* text, int shift);
  static FIXED_FLOAT_16 AToF16(const char* text, int shift);
};
