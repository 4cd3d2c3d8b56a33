# Runs the layer check on a small tree built to break every rule once (and to keep each allowed
# include, quoted or in angle brackets) and fails unless the check fails naming exactly those
# breaches.
#   cmake -DCHECK=<check_layers.cmake> -DFIXTURE=<tree> -P expect_violations.cmake
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${FIXTURE} -P ${CHECK}
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(text "${out}${err}")
if(result EQUAL 0)
  message(FATAL_ERROR "the check passed a tree that breaks the layers:\n${text}")
endif()
set(expected
  "engine/include/stray.h: a header outside the layer folders"
  "engine/ui/strings.h: the name strings.h is also engine/core/strings.h"
  "engine/core/files.cpp: core includes bitmaps.h of graphics"
  "engine/graphics/fonts.cpp: graphics includes widgets.h of ui"
  "engine/ui/dialog.cpp: ui includes application.h of app"
  "engine/audio/mixer.cpp: audio includes widgets.h of ui"
  "engine/app/application.cpp: the engine includes the game's display/window.h"
  "engine/app/application.h: app includes host_entry.h of host"
  "engine/core/files.cpp: core includes widgets.h of ui"
  "game/ground/globals.cpp: ground includes draw.h of display"
  "game/objects/rect.cpp: objects includes flow.h of play"
  "game/frontend/menu.cpp: frontend includes editor.h of editor"
  "game/play/bitmaps.h: the name bitmaps.h is also engine/graphics/bitmaps.h"
  "game/stray_game.h: a header outside the game's layer folders"
  "engine/core/paths.cpp: core includes widgets.h of ui"
  "game/audio/sounds.cpp: audio includes draw.h of display"
  "tools/packer/packer.cpp: tools includes helper.h of tests/"
  "tools/packer/packer.h: tools includes timing.h of bench/"
  "bench/run_bench.cpp: bench includes helper.h of tests/"
  "game/shell/top.cpp: shell includes packer.h of tools/"
  "20 layering violation")
foreach(line ${expected})
  string(FIND "${text}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing from the check's report: ${line}\n${text}")
  endif()
endforeach()
