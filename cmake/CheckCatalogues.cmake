# Fails when the Chinese catalogue, brought up to date with the sources, has an unfinished or
# obsolete entry, or when the English one lacks a translation of a Chinese source text.
# Script mode: -DLUPDATE= -DSOURCES=list-file -DZH_TS= -DEN_TS= -DWORK=folder
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${ZH_TS}" "${EN_TS}" DESTINATION "${WORK}")
get_filename_component(zh_name "${ZH_TS}" NAME)
get_filename_component(en_name "${EN_TS}" NAME)
execute_process(
  COMMAND "${LUPDATE}" -silent -locations none "@${SOURCES}" -ts "${WORK}/${zh_name}" "${WORK}/${en_name}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status})")
endif()

# The messages of a catalogue, each "<message>...</message>" on its own.
function(read_messages file out)
  file(READ "${file}" text)
  string(REPLACE ";" "@SEMICOLON@" text "${text}")
  string(REGEX MATCHALL "<message[^>]*>.*</message>" all "${text}")
  string(REPLACE "</message>" "</message>;" all "${all}")
  set(messages "")
  foreach(message IN LISTS all)
    string(FIND "${message}" "<source>" start)
    if(start GREATER -1)
      list(APPEND messages "${message}")
    endif()
  endforeach()
  set(${out} "${messages}" PARENT_SCOPE)
endfunction()

function(source_of message out)
  string(REGEX MATCH "<source>[^<]*</source>" source "${message}")
  set(${out} "${source}" PARENT_SCOPE)
endfunction()

set(faults "")
read_messages("${WORK}/${zh_name}" messages)
foreach(message IN LISTS messages)
  if(message MATCHES "type=\"(unfinished|vanished|obsolete)\"")
    source_of("${message}" source)
    string(APPEND faults "  ${zh_name}: ${CMAKE_MATCH_1}: ${source}\n")
  endif()
endforeach()

read_messages("${WORK}/${en_name}" messages)
foreach(message IN LISTS messages)
  source_of("${message}" source)
  # Any byte outside printable ASCII: a Chinese source text.
  if(source MATCHES "[^ -~\n\t]" AND message MATCHES "type=\"(unfinished|vanished|obsolete)\"")
    string(APPEND faults "  ${en_name}: ${CMAKE_MATCH_1}: ${source}\n")
  endif()
endforeach()

if(faults)
  message(FATAL_ERROR "The catalogues are not up to date (cmake --build --target qmcal_lupdate, then translate):\n${faults}")
endif()
