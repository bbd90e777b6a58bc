# What a Windows build adds: the plugins imported by name, Qt's Russian
# texts inside the programs, and each program's version resource, icon and
# manifest. Included from the top-level file when building for Windows.

# Qt's static CMake files import a default set of plugins into every
# program; ours are imported by name instead (windowsplugins.cpp,
# offscreenplugin.cpp), so that each program carries just what it uses.
foreach(plugin ${Qt5Gui_PLUGINS} ${Qt5Widgets_PLUGINS} ${Qt5PrintSupport_PLUGINS})
  set_property(TARGET ${plugin} PROPERTY INTERFACE_SOURCES "")
endforeach()

# sortivane_windows_plugins(target window|offscreen ...)
function(sortivane_windows_plugins target)
  foreach(kind ${ARGN})
    if(kind STREQUAL window)
      target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src/window/windowsplugins.cpp)
      target_link_libraries(${target} PRIVATE Qt5::QWindowsIntegrationPlugin Qt5::QWindowsVistaStylePlugin
                                              Qt5::QWindowsPrinterSupportPlugin)
    elseif(kind STREQUAL offscreen)
      target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src/publish/offscreenplugin.cpp)
      target_link_libraries(${target} PRIVATE Qt5::QOffscreenIntegrationPlugin)
    endif()
  endforeach()
endfunction()

# Qt's own Russian texts, from Debian's qttranslations5-l10n: no Qt is
# installed beside the program on Windows.
set(SORTIVANE_QT_TRANSLATIONS /usr/share/qt5/translations CACHE PATH "Where qtbase_ru.qm is")
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/translations.qrc.in
               ${PROJECT_BINARY_DIR}/translations.qrc @ONLY)
target_sources(sortivane_model PRIVATE ${PROJECT_BINARY_DIR}/translations.qrc)

# The version resource, the icon at every size and the manifest.
# sortivane_windows_resource(target "description")
function(sortivane_windows_resource target description)
  set(SORTIVANE_EXE ${target})
  set(SORTIVANE_DESCRIPTION ${description})
  set(SORTIVANE_RESOURCE_DIR ${PROJECT_SOURCE_DIR})
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/program.rc.in ${PROJECT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${PROJECT_BINARY_DIR}/${target}.rc)
endfunction()

# The offscreen platform too: the crash test runs the real program without a display.
sortivane_windows_plugins(sortivane window offscreen)
sortivane_windows_plugins(sortivane-export offscreen)
sortivane_windows_resource(sortivane "Sortivane — жеребьёвка киберспортивных чемпионатов")
sortivane_windows_resource(sortivane-export "Sortivane — публикация сетки чемпионата")
set_target_properties(sortivane PROPERTIES WIN32_EXECUTABLE ON)
# Small programs: no symbols in what organisers download.
target_link_options(sortivane PRIVATE -s)
target_link_options(sortivane-export PRIVATE -s)
