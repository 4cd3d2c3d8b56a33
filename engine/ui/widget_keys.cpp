// The template keys each widget description takes, and how their values are read. Numbers keep
// their low bits as the field is wide; numbers that would index or size something are kept in
// range (frame indexes not negative, frame counts 1..TEMPLATE_MAX_FRAMES_PER_AXIS, effects among
// the named ones, tuner step and maximum at least 1).
#include "parser.h"
#include "template_values.h"
#include "ui_layout.h"
#include "widget_desc.h"

namespace {

typedef TemplateText Text;

using TemplateValue::Items;
using TemplateValue::Low16;
using TemplateValue::Name;
using TemplateValue::Number;

u8 Low8(int v) { return (u8)v; }
s8 Signed8(int v) { return (s8)(u8)v; }

bool ReadColor(const Text& value, u8& r, u8& g, u8& b) {
  Text items[3];
  if (Items(value, items, 3) < 3) return false;
  r = Low8(Number(items[0]));
  g = Low8(Number(items[1]));
  b = Low8(Number(items[2]));
  return true;
}

s16 FrameCount(int n) {
  if (n < 1) return 1;
  return (s16)(n > TEMPLATE_MAX_FRAMES_PER_AXIS ? TEMPLATE_MAX_FRAMES_PER_AXIS : n);
}

// A texture keyword as the value of any key, or as the key with a positive number.
bool TakeTextureKeyword(const Text& key, const Text& value, const char* keyword, u8 format, u8& field) {
  if (value == keyword) {
    field = format;
    return true;
  }
  if (key == keyword) {
    if (Number(value) > 0) field = format;
    return true;
  }
  return false;
}

} // namespace

// --- the shared parts ---

int TextDesc::SetProperty(Text& key, Text& value) {
  if (key == "caption") {
    caption = Name(value);
  } else if (key == "style") {
    style = Name(value);
  } else if (key == "color") {
    if (ReadColor(value, colorR, colorG, colorB)) flags |= TEXTDESC_COLOR_GIVEN;
  } else if (key == "effect") {
    effect = 0;
    int index = value.Length() == 1 ? Number(value) : CUILayout::WhichEffectName(Parser::ExtractName(value));
    // Only the named effects: the text drawing picks its effect by this number.
    if (index >= 0 && index < UILAYOUT_NUM_EFFECTS) {
      effect = (u8)index;
      flags |= TEXTDESC_EFFECT_GIVEN;
    }
  } else {
    return 0;
  }
  return 1;
}

void ImageDesc::SetFile(Text& value) {
  Text items[3];
  int n = Items(value, items, 3);
  if (framesX == 0) framesX = 1;
  if (framesY == 0) framesY = 1;
  file = Name(items[0]);
  if (n == 2) framesX = framesY = FrameCount(Number(items[1]));
  if (n == 3) {
    framesX = FrameCount(Number(items[1]));
    framesY = FrameCount(Number(items[2]));
  }
}

void ImageDesc::SetAlphaFile(Text& value) {
  Text items[3];
  int n = Items(value, items, 3);
  afile = Name(items[0]);
  if (n >= 2 && Number(items[1]) != 0 && framesX == 0) framesX = FrameCount(Number(items[1]));
  if (n == 3 && Number(items[2]) != 0 && framesY == 0) framesY = FrameCount(Number(items[2]));
  if (n == 2 && framesY == 0) framesY = framesX;
}

void ImageDesc::SetSet(Text& value) {
  fromSet = 1;
  set = Name(value);
}

void ImageDesc::SetFrame(Text& value) {
  // A frame index is never negative; the widget checks it against its set's frames.
  s16 n = Low16(Number(value));
  frame = n < 0 ? 0 : n;
}

int ImageDesc::SetProperty(Text& key, Text& value) {
  if (key == "file") {
    SetFile(value);
  } else if (key == "afile") {
    SetAlphaFile(value);
  } else if (key == "set") {
    SetSet(value);
  } else if (key == "frame") {
    SetFrame(value);
  } else if (!TakeTextureKeyword(key, value, "force_8888_texture", FORCE_TEXTURE_8888, forceTexture) &&
             !TakeTextureKeyword(key, value, "force_4444_texture", FORCE_TEXTURE_4444, forceTexture)) {
    return 0;
  }
  return 1;
}

// --- the description classes ---

int TWidget::SetProperty(Text& key, Text& value) {
  if (key == "txtid") {
    txtid = Name(value);
    return 1;
  }
  if (key == "size") {
    Text items[2];
    Parser::GetSubStringsArray(value, 2, items);
    width = Low16(Number(items[0]));
    height = Low16(Number(items[1]));
    return 1;
  }
  return 0;
}

int TDialog::SetProperty(Text& key, Text& value) {
  if (TWidget::SetProperty(key, value)) return 1;
  if (key == "bgCenterTilesX") {
    bgCenterTilesX = Low8(Number(value));
  } else if (key == "bgCenterTilesY") {
    bgCenterTilesY = Low8(Number(value));
  } else if (key == "background") {
    background = Name(value);
  } else if (key == "color") {
    if (ReadColor(value, colorR, colorG, colorB)) hasColor = 1;
  } else if (key == "size_method") {
    size_method = Low8(Number(value));
  } else if (key == "modal" && type != WIDGET_TYPE_ROOT) {
    modal = value == "children"   ? DIALOG_MODAL_CHILDREN
            : value == "position" ? DIALOG_MODAL_POSITION
                                  : DIALOG_MODAL_ALL;
  } else {
    return 0;
  }
  return 1;
}

int TRoot::SetProperty(Text& key, Text& value) {
  if (TDialog::SetProperty(key, value)) return 1;
  if (key == "alignBg") {
    alignBg = value == "center" ? (u8)ALIGN_CENTER : value == "right" ? (u8)ALIGN_FAR : Low8(Number(value));
  } else if (key == "alignBgV") {
    alignBgV = value == "center" ? (u8)ALIGN_CENTER : value == "bottom" ? (u8)ALIGN_FAR : Low8(Number(value));
  } else {
    return 0;
  }
  return 1;
}

int TImage::SetProperty(Text& key, Text& value) {
  if (TWidget::SetProperty(key, value)) return 1;
  return image.SetProperty(key, value);
}

int TButton::SetProperty(Text& key, Text& value) {
  if (TImage::SetProperty(key, value)) return 1;
  if (text.SetProperty(key, value)) return 1;
  if (key == "shoulder") {
    shoulder = value == "left" ? 1 : value == "right" ? 2 : 0;
    return 1;
  }
  return 0;
}

int TCheckBox::SetProperty(Text& key, Text& value) {
  if (TButton::SetProperty(key, value)) return 1;
  if (key == "textAlign") {
    textAlign = (value == "1" || value == "side" || value == "Side") ? 1 : 0;
  } else if (key == "textOffset") {
    if (value == "0") {
      textOffset = 0;
    } else {
      textOffset = Low16(Number(value));
      if (textOffset == 0) textOffset = CHECKBOX_AUTO_TEXT_OFFSET;
    }
  } else if (key == "file_checked") {
    checkedImage.SetFile(value);
  } else if (key == "afile_checked") {
    checkedImage.SetAlphaFile(value);
  } else if (key == "set_checked") {
    checkedImage.SetSet(value);
  } else {
    return 0;
  }
  return 1;
}

int TProgress::SetProperty(Text& key, Text& value) {
  if (TWidget::SetProperty(key, value)) return 1;
  if (key == "file_empty") {
    emptyImage.SetFile(value);
  } else if (key == "file_full") {
    fullImage.SetFile(value);
  } else if (key == "afile_empty") {
    emptyImage.SetAlphaFile(value);
  } else if (key == "afile_full") {
    fullImage.SetAlphaFile(value);
  } else if (key == "set_empty") {
    emptyImage.SetSet(value);
  } else if (key == "set_full") {
    fullImage.SetSet(value);
  } else if (key == "frame_empty") {
    emptyImage.SetFrame(value);
  } else if (key == "frame_full") {
    fullImage.SetFrame(value);
  } else {
    return 0;
  }
  return 1;
}

int TTiledBG::SetProperty(Text& key, Text& value) {
  if (TWidget::SetProperty(key, value)) return 1;
  struct Tile {
    const char* key;
    CommonString TTiledBG::*field;
    bool side;
  };
  static const Tile tiles[] = {
      {"center", &TTiledBG::center, false},
      {"top", &TTiledBG::top, false},
      {"bottom", &TTiledBG::bottom, false},
      {"left", &TTiledBG::left, true},
      {"left_top", &TTiledBG::left_top, true},
      {"left_bottom", &TTiledBG::left_bottom, true},
      {"right", &TTiledBG::right, true},
      {"right_top", &TTiledBG::right_top, true},
      {"right_bottom", &TTiledBG::right_bottom, true},
  };
  for (const Tile& t : tiles) {
    if (key != t.key) continue;
    this->*t.field = Name(value);
    if (t.side) tilesGiven = 1;
    return 1;
  }
  if (key == "single_set") {
    tilesGiven = 1;
    single_set = 1;
    return 1;
  }
  if (key == "own_tiles") {
    own_tiles = 1;
    Text items[2];
    if (Items(value, items, 2) == 2) {
      s8 x = Signed8(Number(items[0])), y = Signed8(Number(items[1]));
      ownTilesX = x < 0 ? 0 : (u8)x;
      ownTilesY = y < 0 ? 0 : (u8)y;
    }
    return 1;
  }
  return 0;
}

int TTuner::SetProperty(Text& key, Text& value) {
  if (TWidget::SetProperty(key, value)) return 1;
  if (value == "vertical") {
    vertical = 1;
  } else if (key == "tunerId") {
    tunerId = Name(value);
  } else if (key == "tunerFrame") {
    tunerFrame = Low8(Number(value));
  } else if (key == "fullId") {
    fullId = Name(value);
  } else if (key == "fullFrame") {
    fullFrame = Low8(Number(value));
  } else if (key == "handleId") {
    handleId = Name(value);
  } else if (key == "step" || key == "max") {
    // The tuner snaps by the step and places its handle by the maximum: both at least 1.
    s16 n = Low16(Number(value));
    (key == "step" ? step : max) = n < 1 ? 1 : n;
  } else if (key == "offsetLeft") {
    offsetLeft = Low16(Number(value));
  } else if (key == "offsetRight") {
    offsetRight = Low16(Number(value));
  } else {
    return 0;
  }
  return 1;
}

int TWText::SetProperty(Text& key, Text& value) {
  if (TWidget::SetProperty(key, value)) return 1;
  return text.SetProperty(key, value);
}

int TTextMulti::SetProperty(Text& key, Text& value) {
  if (TWText::SetProperty(key, value)) return 1;
  if (key == "mt_align") {
    mt_align = value == "center" ? 1 : value == "right" ? 2 : value == "left" ? 0 : Signed8(Number(value));
  } else if (key == "row_add_dy") {
    row_add_dy = Number(value);
  } else {
    return 0;
  }
  return 1;
}

int TTextInfo::SetProperty(Text& key, Text& value) {
  if (TWText::SetProperty(key, value)) return 1;
  if (key != "infoType") return 0;
  CommonString name = Name(value);
  if (name == "1" || name == "buildDate")
    infoType = TEXTINFO_BUILD_DATE;
  else if (name == "3" || name == "shopLink")
    infoType = TEXTINFO_SHOP_LINK;
  else if (name == "4" || name == "shopLink2")
    infoType = TEXTINFO_SHOP_LINK2;
  else
    infoType = TEXTINFO_VERSION;
  return 1;
}
