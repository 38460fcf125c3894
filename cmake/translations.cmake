# The interface in other languages than Japanese: Qt Linguist catalogues kept in translations/,
# compiled into the play directory and installed beside the help page, where the game looks
# for them. Included by install.cmake, in a build with the window.

find_package(Qt6 REQUIRED COMPONENTS Core)
set(qt_tools "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}" /usr/lib/qt6/bin)
find_program(TORVANE_LRELEASE lrelease HINTS ${qt_tools} NO_DEFAULT_PATH)
find_program(TORVANE_LRELEASE lrelease)
find_program(TORVANE_LUPDATE lupdate HINTS ${qt_tools} NO_DEFAULT_PATH)
find_program(TORVANE_LUPDATE lupdate)
if(NOT TORVANE_LRELEASE)
  message(FATAL_ERROR
    "lrelease was not found. It compiles the game's English texts from translations/*.ts; "
    "install the Debian package qt6-l10n-tools (apt-get install qt6-l10n-tools).")
endif()

set(TORVANE_LANGUAGES en)
set(TORVANE_CATALOGUES "")
foreach(language IN LISTS TORVANE_LANGUAGES)
  set(ts "${CMAKE_SOURCE_DIR}/translations/torvane_${language}.ts")
  set(qm "${TORVANE_PLAY_DIR}/torvane_${language}.qm")
  add_custom_command(
    OUTPUT "${qm}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${TORVANE_PLAY_DIR}"
    COMMAND "${TORVANE_LRELEASE}" -silent "${ts}" -qm "${qm}"
    DEPENDS "${ts}"
    COMMENT "Compiling the ${language} texts"
    VERBATIM)
  list(APPEND TORVANE_CATALOGUES "${qm}")
  # The help page in that language, beside the Japanese one.
  set(page "${TORVANE_ASSETS}/Torvane_${language}.htm")
  if(EXISTS "${page}")
    add_custom_command(
      OUTPUT "${TORVANE_PLAY_DIR}/Torvane_${language}.htm"
      COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${page}"
              "${TORVANE_PLAY_DIR}/Torvane_${language}.htm"
      DEPENDS "${page}"
      COMMENT "Copying the ${language} help page into the play directory"
      VERBATIM)
    list(APPEND TORVANE_CATALOGUES "${TORVANE_PLAY_DIR}/Torvane_${language}.htm")
  endif()
endforeach()
add_custom_target(torvane-catalogues ALL DEPENDS ${TORVANE_CATALOGUES})

# The English help page is checked as the Japanese one is, with its own picture.
if(BUILD_TESTING OR NOT DEFINED BUILD_TESTING)
  find_program(TORVANE_XMLLINT xmllint)
  add_test(NAME help-page-en-valid
    COMMAND "${CMAKE_COMMAND}" -DCHECK=help
            "-DHELP_PAGE=${TORVANE_ASSETS}/Torvane_en.htm"
            "-DHELP_PICTURES=torvane-window-en.png"
            "-DPICTURE_DIR=${TORVANE_PLAY_DIR}"
            "-DXMLLINT=${TORVANE_XMLLINT}"
            -P "${CMAKE_SOURCE_DIR}/cmake/check_assets.cmake")
  set_tests_properties(help-page-en-valid PROPERTIES
    SKIP_REGULAR_EXPRESSION "SKIPPED:" LABELS desktop)
endif()
install(FILES ${TORVANE_CATALOGUES} DESTINATION "${TORVANE_INSTALL_DATADIR}")

# `cmake --build build --target translations-update` gathers the window's texts again (new
# entries come in unfinished, for a translator to fill in with linguist or a text editor).
if(TORVANE_LUPDATE)
  set(ts_files "")
  foreach(language IN LISTS TORVANE_LANGUAGES)
    list(APPEND ts_files "${CMAKE_SOURCE_DIR}/translations/torvane_${language}.ts")
  endforeach()
  add_custom_target(translations-update
    COMMAND "${TORVANE_LUPDATE}" -silent -locations none -no-obsolete
            "${CMAKE_SOURCE_DIR}/src/ui/qt" -ts ${ts_files}
    WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
    COMMENT "Gathering the window's texts into translations/*.ts"
    VERBATIM)
endif()
