# Checks of the shipped desktop files, run by CTest in script mode:
#   cmake -DCHECK=<what> -D... -P check_assets.cmake
# CHECK=metadata  the launcher and the AppStream file pass their validators, and the newest
#                 release in the metadata and the man pages' headers carry the project version
# CHECK=help      the help page is well-formed and self-contained (but for its pictures)
# CHECK=man       the man pages format without warnings
# A missing tool prints "SKIPPED: ..." (the test's SKIP_REGULAR_EXPRESSION) once everything
# that could run has passed.

set(skipped "")

function(run_tool what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(STRIP "${out}${err}" said)
  message(STATUS "${what}: exit ${rc}")
  if(NOT said STREQUAL "")
    message("${said}")
  endif()
  set(tool_rc "${rc}" PARENT_SCOPE)
  set(tool_said "${said}" PARENT_SCOPE)
endfunction()

if(CHECK STREQUAL "metadata")
  if(DESKTOP_FILE_VALIDATE)
    run_tool("desktop-file-validate" "${DESKTOP_FILE_VALIDATE}" "${DESKTOP_FILE}")
    # It exits 0 on warnings and hints; any word from it counts as a failure here.
    if(NOT tool_rc EQUAL 0 OR NOT tool_said STREQUAL "")
      message(FATAL_ERROR "the launcher ${DESKTOP_FILE} does not validate cleanly")
    endif()
  else()
    string(APPEND skipped " desktop-file-validate (Debian package desktop-file-utils)")
  endif()

  if(APPSTREAMCLI)
    # Pedantic: only the hint about the capital letter of the id may remain (the id, like
    # org.gnome.Chess, ends in the program's name).
    run_tool("appstreamcli validate" "${APPSTREAMCLI}" validate --pedantic --no-net --explain
             "${METAINFO_FILE}")
    string(REGEX REPLACE "P: [^:]+:[0-9]+: cid-contains-uppercase-letter " "" rest "${tool_said}")
    if(NOT tool_rc EQUAL 0 OR rest MATCHES "(^|\n)[EWIP]: ")
      message(FATAL_ERROR "the metadata ${METAINFO_FILE} has errors, warnings, notes or hints")
    endif()
  else()
    string(APPEND skipped " appstreamcli (Debian package appstream)")
  endif()

  file(READ "${METAINFO_FILE}" metainfo)
  # What software centres show beside the name and use to find and start the game.
  foreach(field "<developer_name>" "<launchable type=\"desktop-id\">" "<keywords>")
    string(FIND "${metainfo}" "${field}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "the metadata lacks ${field}")
    endif()
  endforeach()

  # One version number: the newest release of the metadata and the man pages follow the project.
  if(NOT metainfo MATCHES "<release version=\"([^\"]+)\"")
    message(FATAL_ERROR "no release in ${METAINFO_FILE}")
  endif()
  if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    message(FATAL_ERROR "the newest release in the metadata is ${CMAKE_MATCH_1}, the project is ${VERSION}")
  endif()
  foreach(page IN LISTS MAN_PAGES)
    file(STRINGS "${page}" th REGEX "^\\.TH ")
    if(NOT th MATCHES "\"Torvane ${VERSION}\"")
      message(FATAL_ERROR "${page} does not name Torvane ${VERSION} in its header: ${th}")
    endif()
  endforeach()

elseif(CHECK STREQUAL "help")
  file(READ "${HELP_PAGE}" page)
  if(NOT page MATCHES "<meta charset=\"UTF-8\"")
    message(FATAL_ERROR "the help page does not declare its character set")
  endif()
  # Self-contained: no scripts, no frames, no files or addresses outside the page but the
  # pictures installed beside it (HELP_PICTURES); drawings are inline SVG.
  string(REPLACE "xmlns=\"http://www.w3.org/1999/xhtml\"" "" page_rest "${page}")
  string(REPLACE "xmlns=\"http://www.w3.org/2000/svg\"" "" page_rest "${page_rest}")
  string(REGEX MATCHALL "<img src=\"[^\"]*\"" pictures "${page_rest}")
  foreach(picture IN LISTS pictures)
    string(REGEX REPLACE "<img src=\"([^\"]*)\"" "\\1" name "${picture}")
    list(FIND HELP_PICTURES "${name}" known)
    if(known EQUAL -1)
      message(FATAL_ERROR "the help page shows ${name}, which is not installed beside it")
    endif()
    string(REPLACE "${picture}" "" page_rest "${page_rest}")
  endforeach()
  # The pictures as the build made them: PNG, at least the window's design size.
  foreach(name IN LISTS HELP_PICTURES)
    set(png "${PICTURE_DIR}/${name}")
    if(NOT EXISTS "${png}")
      message(STATUS "${name}: not made by this build (no window, or the sanitizer build)")
      continue()
    endif()
    file(READ "${png}" head LIMIT 24 HEX)
    string(SUBSTRING "${head}" 32 8 width_hex)
    string(SUBSTRING "${head}" 40 8 height_hex)
    math(EXPR width "0x${width_hex}")
    math(EXPR height "0x${height_hex}")
    if(NOT head MATCHES "^89504e470d0a1a0a" OR width LESS 640 OR height LESS 480)
      message(FATAL_ERROR "${png} is no PNG of at least 640 x 480 (${width} x ${height})")
    endif()
    message(STATUS "${name}: ${width} x ${height}")
  endforeach()
  foreach(bad "<script" "<iframe" "<link" "<img" "src=" "url(" "http:" "https:" "@import")
    string(FIND "${page_rest}" "${bad}" at)
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "the help page refers outside itself: ${bad}")
    endif()
  endforeach()
  # Every in-page link has its target.
  string(REGEX MATCHALL "href=\"#[^\"]+\"" links "${page}")
  foreach(link IN LISTS links)
    string(REGEX REPLACE "href=\"#([^\"]+)\"" "\\1" id "${link}")
    if(NOT page MATCHES "id=\"${id}\"")
      message(FATAL_ERROR "the help page links to #${id}, which it does not have")
    endif()
  endforeach()
  # Written as well-formed markup, so an XML parser proves every element is closed.
  if(XMLLINT)
    run_tool("xmllint" "${XMLLINT}" --noout --nonet "${HELP_PAGE}")
    if(NOT tool_rc EQUAL 0)
      message(FATAL_ERROR "the help page is not well-formed")
    endif()
  else()
    string(APPEND skipped " xmllint (Debian package libxml2-utils)")
  endif()

elseif(CHECK STREQUAL "man")
  if(GROFF)
    foreach(page IN LISTS MAN_PAGES)
      # -K utf-8 reads the Japanese text whatever the locale; -ww turns on every warning;
      # -z formats to nowhere.
      execute_process(COMMAND "${GROFF}" -K utf-8 -man -Tutf8 -ww -z "${page}"
                      RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
      if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
        message(FATAL_ERROR "${page} does not format cleanly:\n${err}")
      endif()
      message(STATUS "${page}: formats without warnings")
    endforeach()
  else()
    string(APPEND skipped " groff (Debian package groff-base)")
  endif()

else()
  message(FATAL_ERROR "unknown CHECK '${CHECK}'")
endif()

if(NOT skipped STREQUAL "")
  message("SKIPPED: not installed:${skipped}")
endif()
