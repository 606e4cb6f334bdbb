# cmake -P embed_skin.cmake FORM=<UTF-8 form> SKIN=<container> OBJECT=<name> OUT=<form with the skin>
# Writes the form definition with the skin container as the binary property
# SkinStream (int32 length, then the container) of the named skin data object.
file(READ ${FORM} text)
file(READ ${SKIN} hex HEX)
file(SIZE ${SKIN} size)
# The length as four little-endian bytes.
math(EXPR size_hex "${size}" OUTPUT_FORMAT HEXADECIMAL)
string(SUBSTRING ${size_hex} 2 -1 size_hex)
string(LENGTH ${size_hex} n)
while(n LESS 8)
  set(size_hex "0${size_hex}")
  math(EXPR n "${n} + 1")
endwhile()
set(length "")
foreach(at 6 4 2 0)
  string(SUBSTRING ${size_hex} ${at} 2 byte)
  string(APPEND length ${byte})
endforeach()
string(TOUPPER "${length}${hex}" hex)
# Lines of 64 digits.
string(REPEAT "[0-9A-F]" 64 line)
string(REGEX REPLACE "(${line})" "      \\1\n" lines "${hex}")
string(REGEX MATCH "\n( *)object ${OBJECT}: [A-Za-z0-9_]+\n" header "${text}")
if(NOT header)
  message(FATAL_ERROR "${FORM}: no object ${OBJECT}")
endif()
string(REPLACE "${header}" "${header}    SkinStream = {\n${lines}\n      }\n" text "${text}")
file(WRITE ${OUT} "${text}")
