# Compiler settings shared by both configurations.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
# Sources are UTF-8; every string the program handles is GBK (code page 936).
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8> $<$<COMPILE_LANGUAGE:CXX>:-fexec-charset=GBK>
                    -Wall -Wextra -Wno-unused-parameter)
if(CMAKE_CROSSCOMPILING)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  add_link_options(-static -static-libgcc -static-libstdc++)
  # The program's folder is what a user copies: optimised and stripped unless
  # another configuration is asked for.
  if(NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE Release CACHE STRING "Configuration of the cross build" FORCE)
  endif()
  add_link_options($<$<CONFIG:Release>:-s>)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 936")
else()
  option(TAPMIRA_SANITIZE "Build native code with address and undefined-behaviour sanitizers" ON)
  if(TAPMIRA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()
