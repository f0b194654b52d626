# A test catalogue from a real one: every translation is its source text behind a prefix, so a
# test can tell a text that went through translation from one that did not.
# Script mode: -DIN=file.ts -DOUT=file.ts -DPREFIX=text
file(READ "${IN}" text)
string(REPLACE ";" "@SEMICOLON@" text "${text}")
string(REPLACE "</message>" "</message>;" chunks "${text}")
set(out "")
foreach(chunk IN LISTS chunks)
  if(chunk MATCHES "<source>([^<]*)</source>")
    set(source "${CMAKE_MATCH_1}")
    string(REGEX REPLACE "<translation[^>]*>[^<]*</translation>"
           "<translation>${PREFIX}${source}</translation>" chunk "${chunk}")
  endif()
  string(APPEND out "${chunk}")
endforeach()
string(REPLACE "@SEMICOLON@" ";" out "${out}")
file(WRITE "${OUT}" "${out}")
