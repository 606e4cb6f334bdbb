# cmake -P deactivate_skin.cmake FORM=<UTF-8 form> OBJECT=<name> OUT=<form>
# Writes the form definition with the named skin data object inactive.
file(READ ${FORM} text)
string(REGEX MATCH "\n( *)object ${OBJECT}: [A-Za-z0-9_]+\n( *)Active = True\n" header "${text}")
if(NOT header)
  message(FATAL_ERROR "${FORM}: no object ${OBJECT} starting with Active = True")
endif()
string(REPLACE "Active = True" "Active = False" inactive "${header}")
string(REPLACE "${header}" "${inactive}" text "${text}")
file(WRITE ${OUT} "${text}")
