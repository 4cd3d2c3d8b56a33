// The values of template lines as the reader and the widget keys take them: numbers, the low bits
// of a narrower field, quoted names and lists of items.
#pragma once

#include "common_string.h"
#include "parser.h"
#include "quellar_types.h"
#include "widget_desc.h"

namespace TemplateValue {

inline int Number(const TemplateText& value) { return Parser::AToI(value.GetData()); }
inline s16 Low16(int v) { return (s16)(u16)v; }
inline CommonString Name(const TemplateText& value) {
  return CommonString(Parser::ExtractName(value).GetData());
}

// Up to max items of the value; answers how many were found.
inline int Items(const TemplateText& value, TemplateText* items, int max) {
  int found = 0;
  Parser::GetSubStringsArrayVar(value, max, items, found);
  return found;
}

} // namespace TemplateValue
