// The templatedump tool on a template file that uses every key: the model it prints is the one the
// format describes, field by field.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <sys/wait.h>

#include "temp_dir.h"

namespace {

const char* kAllKeys = R"(// Every widget key, placement key, binding and action step at least once.
root: "main"
  txtid: T_MAIN
  size: 480, 320
  background: bg
  color: 10, 20, 30
  bgCenterTilesX: 3
  bgCenterTilesY: 2
  size_method: 1
  modal: children
  alignBg: center
  alignBgV: bottom
  child: panel
    position: centered, 40
    align: center
    alignY: bottom
    alignXInParent: right
    alignYInParent: center
    in: 0.5, 0.25
    out: 2, 1
  end
  child: title
    centered
    alignX: right
  end
  actions
    onCommand: ok, showPanel
    onCommand: back, actionBack
  end
end
dialog: panel
  size: 200, 100
  modal: position
  background: tiles
end
image: icon
  file: "icon.png", 4, 2
  afile: icon_a.png, 5, 6
  frame: 3
  force_8888_texture: 1
end
image: sprite
  set: "icons"
  force_4444_texture
end
button: ok
  file: ok.png
  caption: "OK, go"
  style: big
  color: 1 2 3
  effect: glow
  shoulder: left
end
checkBox: box
  afile: box_a.png, 2
  file_checked: on.png, 2, 3
  afile_checked: on_a.png
  set_checked: checks
  textAlign: side
  textOffset: auto
  effect: 2
end
progress: bar
  file_empty: empty.png
  file_full: full.png, 2
  afile_empty: empty_a.png
  afile_full: full_a.png
  set_empty: bars
  set_full: bars2
  frame_empty: 1
  frame_full: 2
end
tiledBG: tiles
  left_top: lt
  top: t
  right_top: rt
  left: l
  center: c
  right: r
  left_bottom: lb
  bottom: b
  right_bottom: rb
  single_set: 1
  own_tiles: 2, 3
end
tuner: volume
  vertical
  tunerId: bar
  tunerFrame: 1
  fullId: full
  fullFrame: 2
  handleId: knob
  step: 10
  max: 200
  offsetLeft: 4
  offsetRight: 5
end
text: title
  caption: Title
  txtid: T_TITLE
end
text_multi: story
  mt_align: right
  row_add_dy: 2
end
textInfo: version
  infoType: buildDate
end
action: showPanel
  create: panel, 10, 20, center, 1, 0.5, 1, 1, 0.25
  createV2: title, 1, 2, right, center, bottom, center, 1, 0, 0.5, 0, 0
  destroy: title, 1, 0.5
end
)";

const char* kExpected = R"(widget 0: root "main" (Root)
  txtid "T_MAIN" size 480x320
  background "bg" modal 0 tiles 3x2 size_method 1 color 1 10,20,30
  alignBg 1 alignBgV 2
  child "panel" at 0,40 align 1 2 in-parent 2 1 fade-in 1 0.5 0.25 fade-out 1 2 1
  child "title" at 0,0 align 2 0 in-parent 1 0 fade-in 0 0 0 fade-out 0 0 0
  onCommand "ok" -> "showPanel" message 600
  onCommand "back" -> "actionBack" message 600
widget 1: dialog "panel" (Dialog)
  txtid "" size 200x100
  background "tiles" modal 1 tiles 1x1 size_method 1 color 0 0,0,0
widget 2: image "icon" (Image)
  txtid "" size 0x0
  image: file "icon.png" afile "icon_a.png" frames 4x2 set 0 "" frame 3 texture 1
widget 3: image "sprite" (Image)
  txtid "" size 0x0
  image: file "" afile "" frames 0x0 set 1 "icons" frame 0 texture 2
widget 4: button "ok" (Button)
  txtid "" size 0x0
  image: file "ok.png" afile "" frames 1x1 set 0 "" frame 0 texture 0
  text: caption "OK, go" style "big" color 1,2,3 effect 3 flags 3
  shoulder 1
widget 5: checkBox "box" (CheckBox)
  txtid "" size 0x0
  image: file "" afile "box_a.png" frames 2x2 set 0 "" frame 0 texture 0
  text: caption "" style "" color 0,0,0 effect 2 flags 2
  shoulder 0
  checked: file "on.png" afile "on_a.png" frames 2x3 set 1 "checks" frame 0 texture 0
  textAlign 1 textOffset -10000
widget 6: progress "bar" (ProgressBar)
  txtid "" size 0x0
  empty: file "empty.png" afile "empty_a.png" frames 1x1 set 1 "bars" frame 1 texture 0
  full: file "full.png" afile "full_a.png" frames 2x2 set 1 "bars2" frame 2 texture 0
  fullOffset 0,0 emptyAfterFull 0
widget 7: tiledBG "tiles" (TiledBG)
  txtid "" size 0x0
  tiles "lt" "t" "rt" / "l" "c" "r" / "lb" "b" "rb"
  tilesGiven 1 single_set 1 own_tiles 1 2x3
widget 8: tuner "volume" (Tuner)
  txtid "" size 0x0
  tuner "bar" frame 1 full "full" frame 2 handle "knob"
  offsets 4,5 step 10 max 200 vertical 1
widget 9: text "title" (Text)
  txtid "T_TITLE" size 0x0
  text: caption "Title" style "" color 0,0,0 effect 0 flags 0
widget 10: text_multi "story" (TextMulti)
  txtid "" size 0x0
  text: caption "" style "" color 0,0,0 effect 0 flags 0
  mt_align 2 row_add_dy 2
widget 11: textInfo "version" (TextInfo)
  txtid "" size 0x0
  text: caption "" style "" color 0,0,0 effect 0 flags 0
  infoType 1
action 0: "showPanel"
  create "panel" at 10,20 align 1 0 in-parent 0 0 fade-in 1 0.5 1 fade-out 1 0 0.25
  create "title" at 1,2 align 2 2 in-parent 1 1 fade-in 1 0 0.5 fade-out 0 0 0
  destroy "title" at 0,0 align 0 0 in-parent 0 0 fade-in 0 0 0 fade-out 1 0 0.5
)";

// Runs the tool; its standard output, and its exit status in status.
std::string RunDump(const std::string& args, int& status) {
  std::string out;
  FILE* pipe = popen((std::string(TEMPLATEDUMP_EXE) + " " + args + " 2>/dev/null").c_str(), "r");
  if (!pipe) return out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof(buf), pipe)) > 0)
    out.append(buf, n);
  int raw = pclose(pipe);
  status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return out;
}

TEST(TemplateDump, PrintsTheModelOfAFileUsingEveryKey) {
  ScopedTempDir dir;
  std::ofstream("all_keys.txt") << kAllKeys;
  int status = -1;
  std::string out = RunDump("all_keys.txt", status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out, kExpected);
}

TEST(TemplateDump, AFileThatCannotBeReadFails) {
  ScopedTempDir dir;
  int status = -1;
  EXPECT_EQ(RunDump("absent.txt", status).find("widget"), std::string::npos);
  EXPECT_EQ(status, 1);
  RunDump("", status);
  EXPECT_EQ(status, 2);
}

} // namespace
