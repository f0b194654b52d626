# cmake --install into a fresh prefix: every file where a desktop expects it and nothing else,
# and the installed executables find what was installed with them.
#
# -D: BUILD_DIR PREFIX VERSION APP_ID BINDIR DATADIR MANDIR DOCDIR MAN_PAGES, and optionally
#     APPSTREAMCLI, DESKTOP_FILE_VALIDATE and UPDATE_MIME_DATABASE (when the machine has them).

function(fail)
  string(JOIN "" text ${ARGN})
  message(FATAL_ERROR "${text}")
endfunction()

# Runs a command; out, err and rc land in the caller's run_out, run_err, run_rc.
function(run)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  set(run_out "${out}" PARENT_SCOPE)
  set(run_err "${err}" PARENT_SCOPE)
  set(run_rc "${rc}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${PREFIX})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX})
if(NOT run_rc EQUAL 0)
  fail("cmake --install failed (${run_rc}):\n${run_out}${run_err}")
endif()

set(expected
  ${BINDIR}/qmcal
  ${BINDIR}/qmcal-cli
  ${BINDIR}/qmcal-sim
  ${DATADIR}/qmcal/Default.dat
  ${DATADIR}/applications/${APP_ID}.desktop
  ${DATADIR}/metainfo/${APP_ID}.metainfo.xml
  ${DATADIR}/mime/packages/${APP_ID}.xml
  ${DATADIR}/icons/hicolor/scalable/apps/qmcal.svg
  ${DATADIR}/icons/hicolor/64x64/apps/qmcal.png
  ${DATADIR}/bash-completion/completions/qmcal-cli
  ${DATADIR}/bash-completion/completions/qmcal-sim
  ${DOCDIR}/copyright
  ${DOCDIR}/changelog.gz)
if(MAN_PAGES)
  list(APPEND expected ${MANDIR}/man1/qmcal.1.gz ${MANDIR}/man1/qmcal-cli.1.gz
    ${MANDIR}/man1/qmcal-sim.1.gz)
endif()
file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
set(missing ${expected})
list(REMOVE_ITEM missing ${installed})
set(unexpected ${installed})
list(REMOVE_ITEM unexpected ${expected})
if(missing OR unexpected)
  fail("install tree differs.\nmissing: ${missing}\nunexpected: ${unexpected}")
endif()

# Every installed program names the project's version; the window's needs no display.
set(bin ${PREFIX}/${BINDIR})
run(${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${bin}/qmcal --version)
if(NOT run_rc EQUAL 0 OR NOT run_out MATCHES "qmcal ${VERSION}")
  fail("qmcal --version (${run_rc}): ${run_out}${run_err}")
endif()
foreach(program qmcal-cli qmcal-sim)
  run(${bin}/${program} --version)
  if(NOT run_rc EQUAL 0 OR NOT run_out MATCHES "${program} ${VERSION}")
    fail("${program} --version (${run_rc}): ${run_out}${run_err}")
  endif()
endforeach()

# Installed, qmcal-cli takes Default.dat from the data folders, and only from there.
set(emptyDir ${PREFIX}/.empty)
file(MAKE_DIRECTORY ${emptyDir})
foreach(dataDirs IN ITEMS "${PREFIX}/${DATADIR}" "${emptyDir}")
  run(${CMAKE_COMMAND} -E env XDG_DATA_HOME=${emptyDir} XDG_DATA_DIRS=${dataDirs}
      ${bin}/qmcal-cli show ${PREFIX}/${DATADIR}/qmcal/Default.dat power)
  if(NOT run_rc EQUAL 0)
    fail("qmcal-cli show with XDG_DATA_DIRS=${dataDirs} (${run_rc}): ${run_err}")
  endif()
  string(FIND "${run_err}" "warning" warned)
  if(dataDirs STREQUAL emptyDir AND warned EQUAL -1)
    fail("qmcal-cli found a Default.dat with no data folder holding one")
  elseif(NOT dataDirs STREQUAL emptyDir AND NOT warned EQUAL -1)
    fail("qmcal-cli missed the installed Default.dat: ${run_err}")
  endif()
endforeach()
file(REMOVE_RECURSE ${emptyDir})

if(APPSTREAMCLI)
  run(${APPSTREAMCLI} validate --no-net ${PREFIX}/${DATADIR}/metainfo/${APP_ID}.metainfo.xml)
  if(NOT run_rc EQUAL 0)
    fail("appstreamcli validate (${run_rc}):\n${run_out}${run_err}")
  endif()
endif()
if(DESKTOP_FILE_VALIDATE)
  run(${DESKTOP_FILE_VALIDATE} ${PREFIX}/${DATADIR}/applications/${APP_ID}.desktop)
  if(NOT run_rc EQUAL 0 OR NOT run_out STREQUAL "")
    fail("desktop-file-validate (${run_rc}):\n${run_out}${run_err}")
  endif()
endif()

# The desktop entry offers qmcal for the type the MIME package defines, and the MIME database
# compiler takes the package without a complaint.
set(mimeType application/x-qm6200-param)
file(READ ${PREFIX}/${DATADIR}/applications/${APP_ID}.desktop entry)
file(READ ${PREFIX}/${DATADIR}/mime/packages/${APP_ID}.xml package)
if(NOT entry MATCHES "\nMimeType=${mimeType};\n" OR NOT package MATCHES "type=\"${mimeType}\"")
  fail("the desktop entry and the MIME package do not name ${mimeType} alike")
endif()
if(package MATCHES "<glob")
  fail("the MIME package claims files by name; it must go by content alone")
endif()
if(UPDATE_MIME_DATABASE)
  # On the search path, so that what it says on standard error is about the package.
  set(mimeDir ${PREFIX}/.share/mime)
  file(MAKE_DIRECTORY ${mimeDir}/packages)
  file(COPY ${PREFIX}/${DATADIR}/mime/packages/${APP_ID}.xml DESTINATION ${mimeDir}/packages)
  run(${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${PREFIX}/.share ${UPDATE_MIME_DATABASE} ${mimeDir})
  if(NOT run_rc EQUAL 0 OR NOT run_err STREQUAL "")
    fail("update-mime-database (${run_rc}):\n${run_out}${run_err}")
  endif()
  file(READ ${mimeDir}/types types)
  if(NOT types MATCHES "${mimeType}")
    fail("update-mime-database left ${mimeType} out: ${types}")
  endif()
  file(REMOVE_RECURSE ${PREFIX}/.share)
endif()
