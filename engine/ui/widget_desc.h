// Widget descriptions: the parsed settings of one widget block of a UI template (TWidget and one
// class per widget type), with the shared caption (TextDesc) and image (ImageDesc) parts. Each
// class takes its template keys through SetProperty, offering them to its base first.
#pragma once

#include "common_string.h"
#include "quellar_types.h"
#include "template_records.h"

typedef CommonStringRS<50> TemplateText;

// Widget type index: selects the description class, the file keyword and the live widget class.
enum {
  WIDGET_TYPE_ROOT = 0,
  WIDGET_TYPE_IMAGE = 1,
  WIDGET_TYPE_TEXT = 2,
  WIDGET_TYPE_BUTTON = 3,
  WIDGET_TYPE_DIALOG = 4,
  WIDGET_TYPE_PROGRESS = 5,
  WIDGET_TYPE_TILED_BG = 6,
  WIDGET_TYPE_TUNER = 7,
  WIDGET_TYPE_TEXT_MULTI = 8,
  WIDGET_TYPE_CHECKBOX = 9,
  WIDGET_TYPE_TEXT_INFO = 10,
  WIDGET_TYPE_COUNT = 11,
};

// Frame counts of an image file are kept within 1..this on each axis: they size frame tables.
enum { TEMPLATE_MAX_FRAMES_PER_AXIS = 256 };

// TextDesc::flags bits.
enum { TEXTDESC_COLOR_GIVEN = 1, TEXTDESC_EFFECT_GIVEN = 2 };

// ImageDesc::forceTexture values.
enum { FORCE_TEXTURE_NONE = 0, FORCE_TEXTURE_8888 = 1, FORCE_TEXTURE_4444 = 2 };

struct TextDesc {
  // Keys "caption", "style", "color", "effect": nonzero when taken.
  int SetProperty(TemplateText& key, TemplateText& value);

  CommonString caption; // a text, or the localisation id of one
  CommonString style;   // a text style of the UI layout
  u8 colorR = 0;
  u8 colorG = 0;
  u8 colorB = 0;
  u8 effect = 0;
  u8 flags = 0;
};

struct ImageDesc {
  // Keys "file", "afile", "set", "frame" and the forced-texture keywords: nonzero when taken.
  int SetProperty(TemplateText& key, TemplateText& value);
  // The value forms of "file", "afile", "set" and "frame", shared by the other images of a class.
  void SetFile(TemplateText& value);
  void SetAlphaFile(TemplateText& value);
  void SetSet(TemplateText& value);
  void SetFrame(TemplateText& value);

  u8 fromSet = 0;
  CommonString file;
  CommonString afile;
  s16 framesX = 0;
  s16 framesY = 0;
  u8 forceTexture = FORCE_TEXTURE_NONE;
  CommonString set;
  s16 frame = 0;
};

class TWidget {
public:
  TWidget() = default;
  TWidget(const TWidget&) = default;
  TWidget& operator=(const TWidget&) = delete;
  virtual ~TWidget() {}
  // Keys "txtid" and "size"; nonzero when the pair was taken.
  virtual int SetProperty(TemplateText& key, TemplateText& value);

  CommonString name;
  CommonString txtid;
  s8 type = 0; // set by whoever creates the description
  s16 width = 0;
  s16 height = 0;
};

// Hit-test modes of a dialog description.
enum { DIALOG_MODAL_ALL = 0, DIALOG_MODAL_POSITION = 1, DIALOG_MODAL_CHILDREN = 2 };

class TDialog : public TWidget {
public:
  TDialog() = default;
  TDialog(const TDialog&) = default;
  int SetProperty(TemplateText& key, TemplateText& value) override;

  Group group;
  CommonString background;
  u8 modal = DIALOG_MODAL_ALL;
  u8 bgCenterTilesX = 1;
  u8 bgCenterTilesY = 1;
  u8 size_method = 1;
  u8 hasColor = 0;
  u8 colorR = 0;
  u8 colorG = 0;
  u8 colorB = 0;
};

class TRoot : public TDialog {
public:
  TRoot() { size_method = 0; }
  TRoot(const TRoot&) = default;
  int SetProperty(TemplateText& key, TemplateText& value) override;

  u8 alignBg = 0;  // 0 none, 1 centre, 2 right
  u8 alignBgV = 0; // 0 none, 1 centre, 2 bottom
};

class TImage : public TWidget {
public:
  TImage() = default;
  TImage(const TImage&) = default;
  int SetProperty(TemplateText& key, TemplateText& value) override;

  ImageDesc image;
};

class TButton : public TImage {
public:
  TButton() = default;
  TButton(const TButton&) = default;
  int SetProperty(TemplateText& key, TemplateText& value) override;

  TextDesc text;
  s16 shoulder = 0; // 0 none, 1 left, 2 right
};

// textOffset's value for "the check box works the distance out itself".
enum { CHECKBOX_AUTO_TEXT_OFFSET = -10000 };

class TCheckBox : public TButton {
public:
  TCheckBox() = default;
  TCheckBox(const TCheckBox&) = default;
  int SetProperty(TemplateText& key, TemplateText& value) override;

  ImageDesc checkedImage;
  u8 textAlign = 1;
  s16 textOffset = CHECKBOX_AUTO_TEXT_OFFSET;
};

class TProgress : public TWidget {
public:
  TProgress() = default;
  TProgress(const TProgress&) = default;
  int SetProperty(TemplateText& key, TemplateText& value) override;

  ImageDesc emptyImage;
  ImageDesc fullImage;
  s16 fullOffsetX = 0;
  s16 fullOffsetY = 0;
  s8 emptyAfterFull = 0;
};

class TTiledBG : public TWidget {
public:
  TTiledBG() = default;
  TTiledBG(const TTiledBG&) = default;
  int SetProperty(TemplateText& key, TemplateText& value) override;

  CommonString left_top, top, right_top;
  CommonString left, center, right;
  CommonString left_bottom, bottom, right_bottom;
  u8 tilesGiven = 0; // the left and right columns are present
  u8 single_set = 0;
  u8 own_tiles = 0;
  u8 ownTilesX = 0;
  u8 ownTilesY = 0;
};

class TTuner : public TWidget {
public:
  TTuner() = default;
  TTuner(const TTuner&) = default;
  int SetProperty(TemplateText& key, TemplateText& value) override;

  CommonString tunerId;
  CommonString fullId;
  CommonString handleId;
  s16 offsetLeft = 0;
  s16 offsetRight = 0;
  s16 step = 5;  // at least 1
  s16 max = 100; // at least 1
  u8 tunerFrame = 0;
  u8 fullFrame = 0;
  u8 vertical = 0;
};

class TWText : public TWidget {
public:
  TWText() = default;
  TWText(const TWText&) = default;
  int SetProperty(TemplateText& key, TemplateText& value) override;

  TextDesc text;
};

class TTextMulti : public TWText {
public:
  TTextMulti() = default;
  TTextMulti(const TTextMulti&) = default;
  int SetProperty(TemplateText& key, TemplateText& value) override;

  int mt_align = 1; // 0 left, 1 centre, 2 right
  int row_add_dy = 0;
};

// TTextInfo::infoType codes.
enum { TEXTINFO_VERSION = 0, TEXTINFO_BUILD_DATE = 1, TEXTINFO_SHOP_LINK = 3, TEXTINFO_SHOP_LINK2 = 4 };

class TTextInfo : public TWText {
public:
  TTextInfo() = default;
  TTextInfo(const TTextInfo&) = default;
  int SetProperty(TemplateText& key, TemplateText& value) override;

  u8 infoType = TEXTINFO_VERSION;
};
