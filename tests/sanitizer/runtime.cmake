# Linked into every program of a sanitizer build (included by the top-level CMakeLists.txt): the
# driver leak suppressions of lsan.supp, and driver modules kept mapped (see runtime.cpp.in).
set(SPROCKLET_LSAN_SUPPRESSIONS_FILE ${CMAKE_CURRENT_LIST_DIR}/lsan.supp)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${SPROCKLET_LSAN_SUPPRESSIONS_FILE})
file(READ ${SPROCKLET_LSAN_SUPPRESSIONS_FILE} SPROCKLET_LSAN_SUPPRESSIONS)
configure_file(${CMAKE_CURRENT_LIST_DIR}/runtime.cpp.in ${CMAKE_BINARY_DIR}/sanitizer_runtime.cpp @ONLY)
add_library(sanitizer_runtime OBJECT ${CMAKE_BINARY_DIR}/sanitizer_runtime.cpp)
link_libraries(sanitizer_runtime)
