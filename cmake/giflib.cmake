# giflib as a static library: the system's natively, Debian's source cross-built.
if(CMAKE_CROSSCOMPILING)
  if(NOT GIFLIB_SOURCE_DIR OR NOT EXISTS ${GIFLIB_SOURCE_DIR}/gif_lib.h)
    message(FATAL_ERROR "GIFLIB_SOURCE_DIR must point at giflib's unpacked source (scripts/fetch-giflib.sh)")
  endif()
  add_library(gif STATIC
    ${GIFLIB_SOURCE_DIR}/dgif_lib.c ${GIFLIB_SOURCE_DIR}/egif_lib.c
    ${GIFLIB_SOURCE_DIR}/gifalloc.c ${GIFLIB_SOURCE_DIR}/gif_err.c
    ${GIFLIB_SOURCE_DIR}/gif_hash.c ${GIFLIB_SOURCE_DIR}/gif_font.c
    ${GIFLIB_SOURCE_DIR}/openbsd-reallocarray.c ${GIFLIB_SOURCE_DIR}/quantize.c)
  target_include_directories(gif SYSTEM PUBLIC ${GIFLIB_SOURCE_DIR})
  target_compile_options(gif PRIVATE -w)
else()
  find_path(GIF_INCLUDE gif_lib.h REQUIRED)
  find_library(GIF_LIBRARY gif REQUIRED)
  add_library(gif INTERFACE)
  target_include_directories(gif INTERFACE ${GIF_INCLUDE})
  target_link_libraries(gif INTERFACE ${GIF_LIBRARY})
endif()
