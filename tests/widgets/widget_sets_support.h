// Widget tests with images and captions: an application object with a sprite-set manager whose
// sets are made in memory (frames of given sizes, made by the test's bitmap maker), and a layout
// whose default style uses a font of fixed metrics.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bitmap_font.h"
#include "dib_bitmap.h"
#include "sprite_set.h"
#include "ui_layout.h"
#include "widget_test_support.h"
#include "win_dib_bitmap.h"

// One draw a frame bitmap was asked for.
struct DrawCall {
  std::string tag; // set name and frame, "btn1"
  bool blit;       // BitBlt (a part) rather than Draw (the whole bitmap)
  int x, y, w, h, sx, sy, alpha;
};

// A frame that records its draws into the double buffer in place of drawing.
class RecordingBitmap : public CWinDibBitmap {
public:
  RecordingBitmap(CAppGraphics* game, std::vector<DrawCall>* log, std::string tag)
      : CWinDibBitmap(game), m_pLog(log), m_Tag(std::move(tag)) {}
  void Draw(IDibBitmap*, int x, int y, int w, int h, int, int alpha) override {
    m_pLog->push_back({m_Tag, false, x, y, w, h, 0, 0, alpha});
  }
  void BitBlt(IDibBitmap*, int x, int y, int w, int h, int sx, int sy, int alpha) override {
    m_pLog->push_back({m_Tag, true, x, y, w, h, sx, sy, alpha});
  }

private:
  std::vector<DrawCall>* m_pLog;
  std::string m_Tag;
};

class SetsApp : public WidgetApp {
public:
  // Makes a frame of that size for a set; the default records its draws.
  std::function<IDibBitmap*(const std::string& tag, int w, int h, int frame)> makeFrame;

  SetsApp() : manager(this, 8), layout(this) {
    makeFrame = [this](const std::string& tag, int w, int h, int) -> IDibBitmap* {
      auto* bm = new RecordingBitmap(this, &draws, tag);
      bm->Create(w, h);
      return bm;
    };
  }
  CSpriteSetManager* GetSpriteSetManager() override { return &manager; }
  // Keeps p2 beside what the base records.
  int OnMessage(CXElement* sender, int message, intptr_t p1, intptr_t p2) override {
    values.push_back(p2);
    return WidgetApp::OnMessage(sender, message, p1, p2);
  }
  CUILayout* UILayout() override { return &layout; }

  // A registered, loaded set; a size of 0 x 0 leaves that frame without a bitmap. The test holds
  // one reference, so the widgets' references only count.
  CSpriteSet* AddSet(const std::string& name, const std::vector<std::pair<int, int>>& sizes) {
    auto* set = new CSpriteSet();
    set->DefineSpriteSetMulti(this, "unused", "unused", (int)sizes.size(), 0);
    set->SetName(name.c_str());
    set->m_ppFrames = (IDibBitmap**)calloc(sizes.size(), sizeof(IDibBitmap*));
    set->m_nFrames = (int)sizes.size();
    set->m_nRefCount = 1;
    for (size_t i = 0; i < sizes.size(); i++)
      if (sizes[i].first > 0)
        set->m_ppFrames[i] = makeFrame(name + std::to_string(i), sizes[i].first, sizes[i].second, (int)i);
    manager.AddSpriteSet(set);
    return set;
  }

  // The layout's default style "plain" (white) on a font whose glyphs and space advance 10 pixels
  // and whose lines are `height` high.
  CBitmapFontText* AddFont(int height) {
    UILayout_FontData* data = layout.AddNewFontData();
    data->id = "f";
    data->font = new CBitmapFontText(this);
    CBitmapFontText* font = data->font;
    font->m_nCellHeight = height;
    font->m_nExtraCharSpacing = 0;
    font->SetSpaceWidthAsInt(10);
    for (int c = 0; c < 256; c++)
      font->m_nAdvance[c] = 10;
    UILayout_StyleData* style = layout.AddNewStyleData();
    style->id = "plain";
    style->fontId = "f";
    style->r = style->g = style->b = 255;
    style->font = font;
    UILayout_StyleData* red = layout.AddNewStyleData();
    red->id = "red";
    red->fontId = "f";
    red->r = 255;
    red->effect = TEXT_EFFECT_SHADOW;
    red->font = font;
    return font;
  }

  // The draws of one tag.
  std::vector<DrawCall> DrawsOf(const std::string& tag) const {
    std::vector<DrawCall> out;
    for (const DrawCall& d : draws)
      if (d.tag == tag) out.push_back(d);
    return out;
  }

  std::vector<DrawCall> draws;
  std::vector<intptr_t> values; // p2 of each message, beside `messages`
  CSpriteSetManager manager;
  CUILayout layout;
};
