# cmake -DSRC=... -DDST=... -P copy_if_missing.cmake
if(NOT EXISTS ${SRC})
  message(FATAL_ERROR "missing ${SRC}")
endif()
if(NOT EXISTS ${DST})
  get_filename_component(dir ${DST} DIRECTORY)
  file(COPY ${SRC} DESTINATION ${dir})
endif()
