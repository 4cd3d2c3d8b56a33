// The image widget and the sprite-set holder with its loader.
#include "widget_image.h"

#include <cstring>
#include <new>
#include <string>

#include "app_ui.h"
#include "dib_bitmap.h"
#include "sprite_set.h"
#include "widget_desc.h"

ContainedSpriteSet::~ContainedSpriteSet() {
  if (owned) {
    delete set;
  } else if (referenced && set) {
    set->ReleaseReference();
  }
  set = nullptr;
}

bool ContainedSpriteSet::HasFrameArray() { return set && set->m_ppFrames; }

int ContainedSpriteSet::FrameCount() { return HasFrameArray() ? set->m_nFrames : 0; }

IDibBitmap* ContainedSpriteSet::FrameBitmap(int n) {
  if (!HasFrameArray() || n < 0 || n >= set->m_nFrames) return nullptr;
  return set->m_ppFrames[n];
}

IDibBitmap* ContainedSpriteSet::CurrentBitmap() { return FrameBitmap(frame); }

TCoord2D ContainedSpriteSet::Size(int n) {
  IDibBitmap* bitmap = FrameBitmap(n);
  if (!bitmap && n != 0) bitmap = FrameBitmap(0);
  if (!bitmap) return TCoord2D{0, 0};
  return TCoord2D{bitmap->GetWidth(), bitmap->GetHeight()};
}

int PrepareFileAFilePaths(CommonString& file, CommonString& afile) {
  CommonString f = file, a = afile;
  file = CommonString();
  afile = CommonString();
  if (f.IsEmpty() && a.IsEmpty()) return 0;
  if (a.IsEmpty())
    a = f;
  else if (f.IsEmpty())
    f = a;
  CommonString* names[] = {&f, &a};
  for (CommonString* name : names) {
    int n = name->Length();
    if (n <= 3) continue;
    const char* tail = name->c_str() + n - 4;
    if (strcmp(tail, ".jpg") == 0 || strcmp(tail, ".png") == 0) {
      std::string cut(name->c_str(), (size_t)n - 4);
      *name = cut.c_str();
    }
  }
  file = f;
  afile = a;
  return 1;
}

int LoadSpriteSetFromImageData(CAppUI* app, ContainedSpriteSet* holder, ImageDesc* desc) {
  if (!app || !holder || !desc) return 0;
  if (desc->fromSet >= 1) {
    CSpriteSetManager* manager = app->GetSpriteSetManager();
    if (!manager) return 0;
    holder->set = manager->GetSpriteSetNamed(desc->set.c_str());
    holder->referenced = 0;
    if (holder->set) {
      if (!holder->set->AddReference()) {
        holder->set = nullptr;
        return 0;
      }
      holder->referenced = 1;
    }
    holder->owned = 0;
    holder->frame = desc->frame;
    return 1;
  }
  CommonString file = desc->file, afile = desc->afile;
  if (!PrepareFileAFilePaths(file, afile)) return 1;
  CSpriteSet* set = new (std::nothrow) CSpriteSet();
  if (!set) return 0;
  int frames = desc->framesX < 1 ? 1 : desc->framesX;
  int perRow = desc->framesY < 1 ? 1 : desc->framesY;
  if (frames == 1)
    set->DefineSpriteSetMulti(app, file.c_str(), afile.c_str(), 1, perRow);
  else
    set->DefineSpriteSetSingle(app, file.c_str(), afile.c_str(), frames, perRow);
  if (desc->forceTexture == FORCE_TEXTURE_8888) set->m_bForce8888Texture = 1;
  if (!set->AddReference()) {
    delete set;
    return 0;
  }
  holder->set = set;
  holder->owned = 1;
  holder->frame = desc->frame;
  return 1;
}

int LoadNamedSpriteSet(CAppUI* app, ContainedSpriteSet* holder, const CommonString& name, int frame) {
  ImageDesc desc;
  desc.fromSet = 1;
  desc.set = name;
  desc.frame = 0;
  int loaded = LoadSpriteSetFromImageData(app, holder, &desc);
  holder->frame = (s16)frame;
  return loaded;
}

bool IsActiveChild(CXElement* element) {
  CXElement* app = dynamic_cast<CXElement*>(element ? element->GetApp() : nullptr);
  for (CXElement* e = element; e;) {
    CXElement* parent = e->GetParent();
    if (!parent || parent == app) return true;
    if (parent->GetActiveObjectPtr() != e) return false;
    e = parent;
  }
  return true;
}

// --- XImage ---

XImage::XImage(CXElement* parent, TTemplate* tmpl, TWidget* tw, WidgetContext* context)
    : XWidget(parent, tmpl, tw, context) {}

XImage::~XImage() {}

int XImage::OnInitWidget() {
  if (!XWidget::OnInitWidget()) return 0;
  TImage* desc = dynamic_cast<TImage*>(m_pTWidget);
  if (!desc) return 0;
  return LoadSpriteSetFromImageData(m_pApp, &m_Image, &desc->image);
}

TCoord2D XImage::GetSize() {
  TCoord2D size{m_nWidth, m_nHeight};
  TCoord2D own = m_Image.Size(m_Image.frame);
  if (size.x <= 1) size.x = own.x;
  if (size.y <= 1) size.y = own.y;
  return size;
}

void XImage::Draw() {
  IDibBitmap* bitmap = m_Image.CurrentBitmap();
  IDibBitmap* buffer = m_pApp ? m_pApp->GetDoubleBuffer() : nullptr;
  if (GetOpacity() <= 0 || !bitmap || !buffer) return;
  bitmap->Draw(buffer, m_nX, m_nY, bitmap->GetWidth(), bitmap->GetHeight(), 0, AlphaOffsetFor(GetOpacity()));
}
