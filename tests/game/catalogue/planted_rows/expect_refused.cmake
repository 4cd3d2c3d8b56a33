# Compiles planted_row.cpp once per planted row and fails unless the rows without a planted fault
# compile and each bad row is refused with the rule it breaks named.
#   cmake -DCOMPILER=<c++> -DINCLUDE=<game/catalogue/data> -DSOURCE=<planted_row.cpp> -P expect_refused.cmake
cmake_minimum_required(VERSION 3.25)

function(compile planted out_result out_text)
  execute_process(COMMAND ${COMPILER} -std=c++17 -fsyntax-only -DPLANTED=${planted} -I${INCLUDE} ${SOURCE}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${out_result} "${result}" PARENT_SCOPE)
  set(${out_text} "${out}${err}" PARENT_SCOPE)
endfunction()

compile(0 result text)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the rows without a planted fault do not compile:\n${text}")
endif()

set(rules RowNameDoesNotExpand RowSlotOutsideItsGlobal RowSpansTypesAndFramesOrRunsBackwards)
set(planted 0)
foreach(rule ${rules})
  math(EXPR planted "${planted} + 1")
  compile(${planted} result text)
  if(result EQUAL 0)
    message(FATAL_ERROR "planted row ${planted} compiled; it breaks ${rule}")
  endif()
  string(FIND "${text}" "${rule}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "planted row ${planted} was refused without naming ${rule}:\n${text}")
  endif()
endforeach()
