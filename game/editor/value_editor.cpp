// The debug value panel: slider rows bound to game variables, drawn with Display and FontInterface.
#include "value_editor.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "display.h"
#include "game_globals.h"
#include "geometry.h"
#include "hge_font.h"
#include "sprite_tables.h"
#include "trunc_int.h"

valueList ValueList;
int lastX = 0;

namespace {

const ColorRGB kPanel(0, 100, 255);
const ColorRGB kTitleBar(0, 255, 255);
const ColorRGB kScrollBar(0, 255, 0);
const ColorRGB kHideMark(0, 0, 0);
const ColorRGB kRowBackground(255, 255, 0);
const ColorRGB kValueBar(255, 0, 0);
const ColorRGB kZeroRange(255, 0, 110);

// Touch values keep one decimal, cut rather than rounded.
float OneDecimal(float v) { return (float)TruncToInt(v * 100.0f / 10.0f) / 10.0f; }

void CopyText(char* to, size_t size, const char* from) { snprintf(to, size, "%s", from ? from : ""); }

} // namespace

// --- rows ---

void valueEditor::Init(const char* text, float* target, float min, float max, float stepSize, int px, int py,
                       int pw, int ph, void (*cb)()) {
  active = 1;
  CopyText(label, sizeof label, text);
  floatValue = target;
  isInt = 0;
  minValue = min;
  maxValue = max;
  range = max - min;
  step = TruncToInt(stepSize);
  x = px;
  y = py;
  w = pw;
  h = ph;
  callback = cb;
}

void valueEditor::Init(const char* text, int* target, float min, float max, float stepSize, int px, int py,
                       int pw, int ph, void (*cb)()) {
  Init(text, floatValue, min, max, stepSize, px, py, pw, ph, cb);
  intValue = target;
  isInt = 1;
}

void valueEditor::Draw(hgeFont* font, int panelX, int panelY) {
  int X = panelX + x, Y = panelY + y;
  display->FillRect(X, Y, X + w, Y + h, kRowBackground);
  bool bound = isInt ? intValue != nullptr : floatValue != nullptr;
  float value = !bound ? 0.0f : isInt ? (float)*intValue : *floatValue;
  if (range > 0.0001f) {
    float bar = (value - minValue) / range * (float)w;
    if (!(bar > 0.0f)) bar = 0.0f;
    if (bar > (float)w) bar = (float)w;
    display->FillRect(X + 2, Y + 2, TruncToInt(X + bar - 2), Y + h - 2, kValueBar);
  } else {
    display->DrawRect(X + 3, Y + 3, X + w - 3, Y + h - 3, kZeroRange);
  }
  if (!font) return;
  char text[200];
  if (isInt)
    snprintf(text, sizeof text, "%s: %i", label, bound ? *intValue : 0);
  else
    snprintf(text, sizeof text, "%s: %2.2f", label, value);
  font->SetScale(g_ipad ? 0.4f : 0.6f);
  font->Render((float)(X + 3 + w / 2), (float)(Y + 4), 2, text);
}

int valueEditor::StylusDown(int px, int py) {
  lastX = px;
  if (px < x || px >= x + w || py < y || py >= y + h) return 0;
  // Unused slots and rows without a variable take no touch: there is nothing to write to.
  if (!active || (isInt ? !intValue : !floatValue)) return 0;
  dragging = 1;
  float t = w > 0 ? (float)(px - x) / (float)w : 0.0f;
  float value = minValue + t * range;
  if (isInt)
    *intValue = TruncToInt(value);
  else
    *floatValue = OneDecimal(value);
  return 1;
}

int valueEditor::StylusUp(int, int) {
  dragging = 0;
  return 0;
}

int valueEditor::StylusMove(int px, int py) {
  if (!dragging || !active || (isInt ? !intValue : !floatValue)) return 0;
  float t = w > 0 ? (float)(px - x) / (float)w : 0.0f;
  if (isInt) {
    int value = *intValue;
    // Far below or above the row the finger steps the value instead of pointing at it.
    if (std::abs(y - py) < 50) {
      value = TruncToInt(minValue + t * range);
    } else if (px + 4 < lastX) {
      lastX = px;
      value--;
    } else if (px - 4 > lastX) {
      lastX = px;
      value++;
    }
    if ((float)value < minValue) value = TruncToInt(minValue);
    if ((float)value > maxValue) value = TruncToInt(maxValue);
    *intValue = value;
  } else {
    float value = OneDecimal(minValue + t * range);
    if (value < minValue) value = minValue;
    if (value > maxValue) value = maxValue;
    *floatValue = value;
  }
  if (callback) callback();
  return 0;
}

// --- the panel ---

void valueList::Init(const char* text, int px, int py, int pw, int ph, int rowSpacing) {
  CopyText(title, sizeof title, text);
  visible = 1;
  dragging = 0;
  x = px;
  y = py;
  w = pw;
  h = ph;
  scrollY = 30;
  spacing = (float)rowSpacing;
}

void valueList::Clear() {
  for (valueEditor& e : editors) {
    e.active = 0;
    e.floatValue = nullptr;
    e.intValue = nullptr;
  }
}

void valueList::Hide() { visible = 0; }

void valueList::Draw() {
  if (!visible) return;
  display->FillRect(x, y, x + w, y + h, kPanel);
  scrollSpeed *= 0.9f;
  if (!touched) scrollY += scrollSpeed;
  int rows = 0;
  for (valueEditor& e : editors)
    if (e.active) rows++;
  for (int i = 0; i < VALUE_LIST_ROWS; i++) {
    valueEditor& e = editors[i];
    if (!e.active) continue;
    e.y = TruncToInt(scrollY + i * spacing);
    if (e.y >= 0 && e.y <= h) e.Draw(FontInterface, x, y);
  }
  display->FillRect(x, y, x + w - 30, y + 20, kTitleBar);
  // Past 20 rows the bar's length goes negative and it is drawn upwards from its top.
  float top = (y + 102) + scrollY * -0.1f;
  display->FillRect(x + w - 15, TruncToInt(top), x + w - 2, TruncToInt(top + (100 - 5 * rows)), kScrollBar);
  display->FillRect(x + 3, y + 3, x + 13, y + 13, kHideMark);
  if (FontInterface) FontInterface->Render((float)(x + w / 2), (float)(y + 2), 2, title);
}

int valueList::StylusDown(int px, int py) {
  if (!visible) return 0;
  // Any touch stops the coasting, even one the panel does not take.
  touched = 1;
  scrollSpeed = 0;
  lastX = px;
  lastY = py;
  if (px >= x - 15 && px < x + 15 && py >= y - 15 && py < y + 15) {
    Hide();
    return 1;
  }
  if (px < x || px >= x + w || py < y || py >= y + h) return 0;
  if (py < y + 25) {
    dragging = 1;
    return 1;
  }
  for (valueEditor& e : editors)
    e.StylusDown(px - x, py - y);
  return 1;
}

int valueList::StylusMove(int px, int py) {
  if (!visible) return 0;
  int dx = lastX - px, dy = lastY - py;
  lastX = px;
  lastY = py;
  if (dragging) {
    x -= dx;
    y -= dy;
    return 1;
  }
  // A strip on both sides of the right edge scrolls the rows.
  if (std::abs(px - (x + w)) < 30) {
    scrollY -= dy;
    scrollSpeed += dy * -0.4f;
    return 1;
  }
  for (valueEditor& e : editors)
    e.StylusMove(px - x, py - y);
  return px >= x && px < x + w && py >= y && py < y + h;
}

int valueList::StylusUp(int px, int py) {
  touched = 0;
  dragging = 0;
  for (valueEditor& e : editors)
    e.StylusUp(px, py);
  return 0;
}
