# Torvane as a Linux desktop game: help page, icon, launcher, AppStream metadata, man pages,
# install rules and the Debian package. Included at the end of the top-level CMakeLists.txt.

include(GNUInstallDirs)

# The application id names the launcher, the metadata and the icon. We own no domain, so it
# lives under io.github.<organisation>, the usual home of projects without one.
set(TORVANE_APP_ID "io.github.torvane.Torvane")

# The one version, from project() in the top-level CMakeLists.txt.
set(TORVANE_VERSION "${PROJECT_VERSION}")

set(TORVANE_ASSETS "${CMAKE_SOURCE_DIR}/assets")
set(TORVANE_PLAY_DIR "${CMAKE_BINARY_DIR}/play")

# Where `cmake --install` puts the two programs, under the prefix. The Debian package puts
# them in games/ whatever this says, as Debian's policy asks of games.
set(TORVANE_INSTALL_BINDIR "${CMAKE_INSTALL_BINDIR}" CACHE STRING
    "Directory of the programs under the installation prefix (bin, or games)")
set(TORVANE_PACKAGE_BINDIR "games")

# The wave files and the help page of an installed game. The program finds them relative to
# its own executable (TORVANE_DATADIR_FROM_BINDIR, normally "../share/torvane"), so that
# `cmake --install build --prefix <anywhere>` and the Debian package give a working game.
set(TORVANE_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/torvane")
file(RELATIVE_PATH TORVANE_DATADIR_FROM_BINDIR
     "${CMAKE_INSTALL_PREFIX}/${TORVANE_INSTALL_BINDIR}" "${CMAKE_INSTALL_FULL_DATADIR}/torvane")
# One program serves both places, so the data must lie the same way from either.
file(RELATIVE_PATH from_package_bindir
     "/usr/${TORVANE_PACKAGE_BINDIR}" "/usr/${CMAKE_INSTALL_DATADIR}/torvane")
if(NOT from_package_bindir STREQUAL TORVANE_DATADIR_FROM_BINDIR)
  message(FATAL_ERROR "TORVANE_INSTALL_BINDIR=${TORVANE_INSTALL_BINDIR} puts the data at "
    "${TORVANE_DATADIR_FROM_BINDIR} from the programs, the package at ${from_package_bindir}: "
    "choose a directory one level under the prefix")
endif()

# ---------------------------------------------------------------------------------------------
# Help page: beside the program in the play directory that `make run` starts the game in.

add_custom_command(
  OUTPUT "${TORVANE_PLAY_DIR}/Torvane.htm"
  COMMAND "${CMAKE_COMMAND}" -E make_directory "${TORVANE_PLAY_DIR}"
  COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${TORVANE_ASSETS}/Torvane.htm"
          "${TORVANE_PLAY_DIR}/Torvane.htm"
  DEPENDS "${TORVANE_ASSETS}/Torvane.htm"
  COMMENT "Copying the help page into the play directory"
  VERBATIM)
add_custom_target(torvane-help-page ALL DEPENDS "${TORVANE_PLAY_DIR}/Torvane.htm")

# The English texts and help page (translations/, assets/Torvane_en.htm).
if(NOT TORVANE_NO_GUI)
  include(cmake/translations.cmake)
endif()

# ---------------------------------------------------------------------------------------------
# Icon: one SVG source, rendered to the hicolor sizes at build time.

find_program(TORVANE_RSVG_CONVERT rsvg-convert)
if(NOT TORVANE_RSVG_CONVERT)
  message(FATAL_ERROR
    "rsvg-convert was not found. It renders the game's icon from assets/torvane.svg; "
    "install the Debian package librsvg2-bin (apt-get install librsvg2-bin).")
endif()

set(TORVANE_ICON_SIZES 16 32 48 64 128 256)
# The rendered icons, laid out as under share/icons, for the window to use as well.
set(TORVANE_ICON_DIR "${CMAKE_BINARY_DIR}/icons/hicolor")
set(TORVANE_ICON_PNGS "")
foreach(size IN LISTS TORVANE_ICON_SIZES)
  set(dir "${TORVANE_ICON_DIR}/${size}x${size}/apps")
  set(png "${dir}/${TORVANE_APP_ID}.png")
  add_custom_command(
    OUTPUT "${png}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${dir}"
    COMMAND "${TORVANE_RSVG_CONVERT}" --width=${size} --height=${size} --format=png
            --output=${png} "${TORVANE_ASSETS}/torvane.svg"
    DEPENDS "${TORVANE_ASSETS}/torvane.svg"
    COMMENT "Rendering the ${size}x${size} icon"
    VERBATIM)
  list(APPEND TORVANE_ICON_PNGS "${png}")
  install(FILES "${png}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
add_custom_target(torvane-icons ALL DEPENDS ${TORVANE_ICON_PNGS})

install(FILES "${TORVANE_ASSETS}/torvane.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
        RENAME "${TORVANE_APP_ID}.svg")

# ---------------------------------------------------------------------------------------------
# Man pages, compressed as Debian installs them when gzip is there (man reads both forms).

set(TORVANE_MAN_PAGES "${CMAKE_SOURCE_DIR}/man/torvane.6" "${CMAKE_SOURCE_DIR}/man/torvane-cli.6")
find_program(TORVANE_GZIP gzip)
set(man_outputs "")
foreach(page IN LISTS TORVANE_MAN_PAGES)
  get_filename_component(name "${page}" NAME)
  if(TORVANE_GZIP)
    set(out "${CMAKE_BINARY_DIR}/man/${name}.gz")
    add_custom_command(
      OUTPUT "${out}"
      COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_BINARY_DIR}/man"
      COMMAND "${CMAKE_COMMAND}" -E copy "${page}" "${CMAKE_BINARY_DIR}/man/${name}"
      # -n leaves the time stamp out, so the package is the same from build to build.
      COMMAND "${TORVANE_GZIP}" -9nf "${CMAKE_BINARY_DIR}/man/${name}"
      DEPENDS "${page}"
      COMMENT "Compressing the man page ${name}"
      VERBATIM)
    list(APPEND man_outputs "${out}")
    install(FILES "${out}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
  else()
    install(FILES "${page}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
  endif()
endforeach()
if(man_outputs)
  add_custom_target(torvane-man-pages ALL DEPENDS ${man_outputs})
endif()

# ---------------------------------------------------------------------------------------------
# Help page, launcher and metadata.

install(FILES "${TORVANE_ASSETS}/Torvane.htm" DESTINATION "${TORVANE_INSTALL_DATADIR}")
install(FILES "${TORVANE_ASSETS}/${TORVANE_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${TORVANE_ASSETS}/${TORVANE_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
# The licence, where Debian looks for it (share/doc/torvane/copyright).
install(FILES "${TORVANE_ASSETS}/copyright" DESTINATION "${CMAKE_INSTALL_DOCDIR}")
# The changelog of a native Debian package, compressed as Debian ships it.
if(TORVANE_GZIP)
  set(changelog "${CMAKE_BINARY_DIR}/doc/changelog.gz")
  add_custom_command(
    OUTPUT "${changelog}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_BINARY_DIR}/doc"
    COMMAND "${CMAKE_COMMAND}" -E copy "${TORVANE_ASSETS}/changelog" "${CMAKE_BINARY_DIR}/doc/changelog"
    COMMAND "${TORVANE_GZIP}" -9nf "${CMAKE_BINARY_DIR}/doc/changelog"
    DEPENDS "${TORVANE_ASSETS}/changelog"
    COMMENT "Compressing the changelog"
    VERBATIM)
  add_custom_target(torvane-changelog ALL DEPENDS "${changelog}")
  install(FILES "${changelog}" DESTINATION "${CMAKE_INSTALL_DOCDIR}")
endif()

# ---------------------------------------------------------------------------------------------
# The programs and the sounds: the game and the engine tool in bin, the five wave files (made
# into the play directory by torvane-sounds, part of ALL) beside the help page. The game
# counts as installed when it finds them there, relative to its own program.

target_compile_definitions(torvane-game PRIVATE
  TORVANE_DATADIR_FROM_BINDIR="${TORVANE_DATADIR_FROM_BINDIR}")
install(TARGETS torvane-cli RUNTIME DESTINATION "${TORVANE_INSTALL_BINDIR}")
if(TARGET torvane-app)
  install(TARGETS torvane-app RUNTIME DESTINATION "${TORVANE_INSTALL_BINDIR}")
endif()
install(FILES ${TORVANE_WAVES} DESTINATION "${TORVANE_INSTALL_DATADIR}")
# The help page's picture of the window (tools/window_shot.cpp), when the window is built.
if(TORVANE_WINDOW_PICTURE)
  install(FILES "${TORVANE_WINDOW_PICTURE}" "${TORVANE_WINDOW_PICTURE_EN}"
          DESTINATION "${TORVANE_INSTALL_DATADIR}")
endif()

# The window's icon: the rendered PNGs built into the program as a Qt resource, so the build
# tree and any prefix show it alike.
if(TARGET torvane-app)
  find_package(Qt6 REQUIRED COMPONENTS Core)
  set(qrc_entries "")
  foreach(size IN LISTS TORVANE_ICON_SIZES)
    string(APPEND qrc_entries
      "    <file alias=\"${size}.png\">${TORVANE_ICON_DIR}/${size}x${size}/apps/${TORVANE_APP_ID}.png</file>\n")
  endforeach()
  set(icon_qrc "${CMAKE_BINARY_DIR}/icons/window_icon.qrc")
  set(icon_cpp "${CMAKE_BINARY_DIR}/icons/window_icon.cpp")
  file(CONFIGURE OUTPUT "${icon_qrc}" CONTENT
"<!DOCTYPE RCC>
<RCC version=\"1.0\">
  <qresource prefix=\"/torvane/icons\">
${qrc_entries}  </qresource>
</RCC>
")
  add_custom_command(
    OUTPUT "${icon_cpp}"
    COMMAND Qt6::rcc --name torvane_window_icon --output "${icon_cpp}" "${icon_qrc}"
    DEPENDS "${icon_qrc}" ${TORVANE_ICON_PNGS}
    COMMENT "Building the window icon into the program"
    VERBATIM)
  add_custom_target(torvane-window-icon DEPENDS "${icon_cpp}")
  target_sources(torvane-app PRIVATE "${icon_cpp}")
  add_dependencies(torvane-app torvane-window-icon)
  # The window tests set the icon as the program does and read back what Qt was given.
  if(TARGET torvane-qt-tests)
    target_sources(torvane-qt-tests PRIVATE "${icon_cpp}" "${CMAKE_SOURCE_DIR}/src/app/desktop.cpp")
    target_include_directories(torvane-qt-tests PRIVATE "${TORVANE_LAYER_INCLUDES}/torvane-app")
    string(REPLACE ";" " " icon_sizes "${TORVANE_ICON_SIZES}")
    target_compile_definitions(torvane-qt-tests PRIVATE TORVANE_ICON_SIZES="${icon_sizes}")
    add_dependencies(torvane-qt-tests torvane-window-icon)
  endif()
endif()

# ---------------------------------------------------------------------------------------------
# Checks of the shipped files (run by `ctest`).

if(BUILD_TESTING OR NOT DEFINED BUILD_TESTING)
  set(check_script "${CMAKE_SOURCE_DIR}/cmake/check_assets.cmake")

  find_program(TORVANE_DESKTOP_FILE_VALIDATE desktop-file-validate)
  find_program(TORVANE_APPSTREAMCLI appstreamcli)
  add_test(NAME desktop-metadata-valid
    COMMAND "${CMAKE_COMMAND}" -DCHECK=metadata
            "-DDESKTOP_FILE_VALIDATE=${TORVANE_DESKTOP_FILE_VALIDATE}"
            "-DAPPSTREAMCLI=${TORVANE_APPSTREAMCLI}"
            "-DDESKTOP_FILE=${TORVANE_ASSETS}/${TORVANE_APP_ID}.desktop"
            "-DMETAINFO_FILE=${TORVANE_ASSETS}/${TORVANE_APP_ID}.metainfo.xml"
            "-DVERSION=${TORVANE_VERSION}"
            "-DMAN_PAGES=${TORVANE_MAN_PAGES}"
            -P "${check_script}")

  find_program(TORVANE_XMLLINT xmllint)
  add_test(NAME help-page-valid
    COMMAND "${CMAKE_COMMAND}" -DCHECK=help
            "-DHELP_PAGE=${TORVANE_ASSETS}/Torvane.htm"
            "-DHELP_PICTURES=torvane-window.png"
            "-DPICTURE_DIR=${TORVANE_PLAY_DIR}"
            "-DXMLLINT=${TORVANE_XMLLINT}"
            -P "${check_script}")

  find_program(TORVANE_GROFF groff)
  add_test(NAME man-pages-valid
    COMMAND "${CMAKE_COMMAND}" -DCHECK=man
            "-DGROFF=${TORVANE_GROFF}"
            "-DMAN_PAGES=${TORVANE_MAN_PAGES}"
            -P "${check_script}")

  set_tests_properties(desktop-metadata-valid help-page-valid man-pages-valid
    PROPERTIES SKIP_REGULAR_EXPRESSION "SKIPPED:" LABELS desktop)

  # The installed game in a temporary prefix under Xvfb, and the Debian package looked into.
  # Not in the sanitizer build: what is installed and packed is the plain build.
  if(TARGET torvane-app AND NOT TORVANE_SANITIZE)
    set(install_test "${CMAKE_SOURCE_DIR}/tests/install/install_test.sh")
    add_test(NAME install.InstalledGameRuns
      COMMAND bash "${install_test}" game "${CMAKE_BINARY_DIR}" "${TORVANE_VERSION}")
    add_test(NAME install.DebianPackage
      COMMAND bash "${install_test}" package "${CMAKE_BINARY_DIR}" "${TORVANE_VERSION}")
    set_tests_properties(install.InstalledGameRuns PROPERTIES
      LABELS install SKIP_RETURN_CODE 77 TIMEOUT 90)
    set_tests_properties(install.DebianPackage PROPERTIES
      LABELS install SKIP_RETURN_CODE 77 TIMEOUT 300)
  endif()
endif()

# ---------------------------------------------------------------------------------------------
# Debian package: `cpack -G DEB` in the build directory gives torvane_<version>_amd64.deb.
# Set up only with the game executable (not in a TORVANE_NO_GUI build): a package without it
# would hold no game.

if(TARGET torvane-app AND TARGET torvane-cli)
  set(CPACK_GENERATOR "DEB")
  set(CPACK_PACKAGE_NAME "torvane")
  set(CPACK_PACKAGE_VERSION "${TORVANE_VERSION}")
  set(CPACK_PACKAGE_VENDOR "Torvane developers")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
      "shogi game where the pieces behind a mover follow it")
  set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
  set(CPACK_DEBIAN_PACKAGE_NAME "torvane")
  set(CPACK_DEBIAN_PACKAGE_SECTION "games")
  set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
  # No mailing address exists yet; .invalid can never reach anyone by mistake.
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Torvane developers <maintainers@torvane.invalid>")
  # The libraries come from the binaries; the Japanese font and the Japanese captions of
  # Qt's standard buttons are needed at run time but linked by nothing.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n")
  # qt6-wayland lets the window open in a Wayland session without X.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, xdg-utils, xdg-user-dirs")
  # Debian's games live in /usr/games: the staged programs move there, and the launcher names
  # the program by its full path, which works whatever PATH the desktop session has.
  set(package_layout "${CMAKE_BINARY_DIR}/package_layout.cmake")
  file(CONFIGURE OUTPUT "${package_layout}" @ONLY CONTENT [=[
set(usr "${CPACK_TEMPORARY_DIRECTORY}/usr")
if(NOT "@TORVANE_INSTALL_BINDIR@" STREQUAL "@TORVANE_PACKAGE_BINDIR@")
  file(MAKE_DIRECTORY "${usr}/@TORVANE_PACKAGE_BINDIR@")
  foreach(program torvane torvane-cli)
    file(RENAME "${usr}/@TORVANE_INSTALL_BINDIR@/${program}" "${usr}/@TORVANE_PACKAGE_BINDIR@/${program}")
  endforeach()
  file(GLOB left "${usr}/@TORVANE_INSTALL_BINDIR@/*")
  if(NOT left)
    file(REMOVE_RECURSE "${usr}/@TORVANE_INSTALL_BINDIR@")
  endif()
endif()
set(launcher "${usr}/@CMAKE_INSTALL_DATADIR@/applications/@TORVANE_APP_ID@.desktop")
file(READ "${launcher}" text)
string(REGEX REPLACE "
Exec=torvane
" "
Exec=/usr/@TORVANE_PACKAGE_BINDIR@/torvane
" text "${text}")
file(WRITE "${launcher}" "${text}")
]=])
  set(CPACK_PRE_BUILD_SCRIPTS "${package_layout}")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  # CPack puts the summary above it, indents it and marks the empty line as a paragraph break.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Torvane is a desktop game of shogi (Japanese chess) with one rule of its
own: when any piece but a knight moves on the board, the unbroken line of
pieces standing directly behind it follows it by the same displacement.
Only the moving piece captures and promotes; a game ends when a king is
captured.

Play the computer at three strength levels or another person at the same
mouse, with a 21-step handicap ladder, game records, thinking clocks,
move guidance, five backgrounds and music. The package also holds
torvane-cli, the game's engine driven by a line protocol.")
  include(CPack)
else()
  message(STATUS "Debian package: not set up without the game executable (TORVANE_NO_GUI)")
endif()
