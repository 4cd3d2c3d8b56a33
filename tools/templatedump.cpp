// templatedump: prints the model a UI template file reads into: every widget description with all
// of its fields, the dialogs' placements and command bindings, and the actions with their steps.
// The reader's warnings go to stderr. Usage: templatedump FILE
#include <cstdio>
#include <memory>
#include <string>

#include "template_reader.h"
#include "ui_template.h"

namespace {

std::string Quoted(const CommonString& s) { return "\"" + std::string(s.c_str()) + "\""; }

std::string Seconds(FIXED_FLOAT v) {
  char buf[32];
  snprintf(buf, sizeof(buf), "%g", v / 256.0);
  return buf;
}

void Line(int indent, const std::string& text) { printf("%*s%s\n", indent, "", text.c_str()); }

std::string Placement(const WidgetContext& c) {
  return "at " + std::to_string(c.x) + "," + std::to_string(c.y) + " align " + std::to_string(c.alignX) +
         " " + std::to_string(c.alignY) + " in-parent " + std::to_string(c.alignXInParent) + " " +
         std::to_string(c.alignYInParent) + " fade-in " + std::to_string(c.fadeIn) + " " +
         Seconds(c.fadeInDelay) + " " + Seconds(c.fadeInDuration) + " fade-out " + std::to_string(c.fadeOut) +
         " " + Seconds(c.fadeOutDelay) + " " + Seconds(c.fadeOutDuration);
}

void Image(int indent, const char* label, const ImageDesc& im) {
  Line(indent, std::string(label) + ": file " + Quoted(im.file) + " afile " + Quoted(im.afile) + " frames " +
                   std::to_string(im.framesX) + "x" + std::to_string(im.framesY) + " set " +
                   std::to_string(im.fromSet) + " " + Quoted(im.set) + " frame " + std::to_string(im.frame) +
                   " texture " + std::to_string(im.forceTexture));
}

void Text(int indent, const TextDesc& t) {
  Line(indent, "text: caption " + Quoted(t.caption) + " style " + Quoted(t.style) + " color " +
                   std::to_string(t.colorR) + "," + std::to_string(t.colorG) + "," +
                   std::to_string(t.colorB) + " effect " + std::to_string(t.effect) + " flags " +
                   std::to_string(t.flags));
}

void Widget(int index, TWidget* w) {
  Line(0, "widget " + std::to_string(index) + ": " + WidgetTypeNameForFile(w->type) + " " + Quoted(w->name) +
              " (" + WidgetTypeName(w->type) + ")");
  Line(2,
       "txtid " + Quoted(w->txtid) + " size " + std::to_string(w->width) + "x" + std::to_string(w->height));
  if (TDialog* d = dynamic_cast<TDialog*>(w)) {
    Line(2, "background " + Quoted(d->background) + " modal " + std::to_string(d->modal) + " tiles " +
                std::to_string(d->bgCenterTilesX) + "x" + std::to_string(d->bgCenterTilesY) +
                " size_method " + std::to_string(d->size_method) + " color " + std::to_string(d->hasColor) +
                " " + std::to_string(d->colorR) + "," + std::to_string(d->colorG) + "," +
                std::to_string(d->colorB));
    if (TRoot* r = dynamic_cast<TRoot*>(w))
      Line(2, "alignBg " + std::to_string(r->alignBg) + " alignBgV " + std::to_string(r->alignBgV));
    for (int i = 0; i < d->group.children.GetSize(); i++) {
      WidgetContext* c = d->group.children.GetAt(i);
      Line(2, "child " + Quoted(c->name) + " " + Placement(*c));
    }
    for (int i = 0; i < d->group.commands.GetSize(); i++) {
      ChildAction* a = d->group.commands.GetAt(i);
      Line(2, "onCommand " + Quoted(a->command) + " -> " + Quoted(a->action) + " message " +
                  std::to_string(a->message));
    }
  }
  if (TImage* im = dynamic_cast<TImage*>(w)) Image(2, "image", im->image);
  if (TButton* b = dynamic_cast<TButton*>(w)) {
    Text(2, b->text);
    Line(2, "shoulder " + std::to_string(b->shoulder));
  }
  if (TCheckBox* c = dynamic_cast<TCheckBox*>(w)) {
    Image(2, "checked", c->checkedImage);
    Line(2, "textAlign " + std::to_string(c->textAlign) + " textOffset " + std::to_string(c->textOffset));
  }
  if (TProgress* p = dynamic_cast<TProgress*>(w)) {
    Image(2, "empty", p->emptyImage);
    Image(2, "full", p->fullImage);
    Line(2, "fullOffset " + std::to_string(p->fullOffsetX) + "," + std::to_string(p->fullOffsetY) +
                " emptyAfterFull " + std::to_string(p->emptyAfterFull));
  }
  if (TTiledBG* g = dynamic_cast<TTiledBG*>(w)) {
    Line(2, "tiles " + Quoted(g->left_top) + " " + Quoted(g->top) + " " + Quoted(g->right_top) + " / " +
                Quoted(g->left) + " " + Quoted(g->center) + " " + Quoted(g->right) + " / " +
                Quoted(g->left_bottom) + " " + Quoted(g->bottom) + " " + Quoted(g->right_bottom));
    Line(2, "tilesGiven " + std::to_string(g->tilesGiven) + " single_set " + std::to_string(g->single_set) +
                " own_tiles " + std::to_string(g->own_tiles) + " " + std::to_string(g->ownTilesX) + "x" +
                std::to_string(g->ownTilesY));
  }
  if (TTuner* t = dynamic_cast<TTuner*>(w)) {
    Line(2, "tuner " + Quoted(t->tunerId) + " frame " + std::to_string(t->tunerFrame) + " full " +
                Quoted(t->fullId) + " frame " + std::to_string(t->fullFrame) + " handle " +
                Quoted(t->handleId));
    Line(2, "offsets " + std::to_string(t->offsetLeft) + "," + std::to_string(t->offsetRight) + " step " +
                std::to_string(t->step) + " max " + std::to_string(t->max) + " vertical " +
                std::to_string(t->vertical));
  }
  if (TWText* t = dynamic_cast<TWText*>(w)) Text(2, t->text);
  if (TTextMulti* m = dynamic_cast<TTextMulti*>(w))
    Line(2, "mt_align " + std::to_string(m->mt_align) + " row_add_dy " + std::to_string(m->row_add_dy));
  if (TTextInfo* i = dynamic_cast<TTextInfo*>(w)) Line(2, "infoType " + std::to_string(i->infoType));
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: templatedump FILE\n");
    return 2;
  }
  CTemplateReader reader;
  std::unique_ptr<TTemplate> t(reader.ReadTemplateAbsolutePath(nullptr, CommonString(argv[1])));
  if (!t) {
    fprintf(stderr, "templatedump: cannot read %s\n", argv[1]);
    return 1;
  }
  for (int i = 0; i < t->widgets.GetSize(); i++)
    Widget(i, t->widgets.GetAt(i));
  for (int i = 0; i < t->actions.GetSize(); i++) {
    TAction* a = t->actions.GetAt(i);
    Line(0, "action " + std::to_string(i) + ": " + Quoted(a->name));
    for (int k = 0; k < a->steps.GetSize(); k++) {
      ActionStep* s = a->steps.GetAt(k);
      Line(2, std::string(s->type == ACTION_STEP_DESTROY ? "destroy " : "create ") + Quoted(s->widget) + " " +
                  Placement(s->context));
    }
  }
  return 0;
}
