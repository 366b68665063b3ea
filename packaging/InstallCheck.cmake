# Installs the build tree into a scratch prefix and compares what arrived with what a package must
# hold: the three programs, the desktop entry, the icons, the README and the guide; nothing else (no tests,
# no libraries, no benchmarks).
# cmake -DBUILD_DIR=<build tree> -DOUT=<scratch dir> -P InstallCheck.cmake
cmake_minimum_required(VERSION 3.22)
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${OUT}/usr
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${OUT} ${OUT}/*)
list(SORT installed)
set(expected
    usr/bin/tarnwick
    usr/bin/tarnwick-olt-sim
    usr/bin/tarnwick-replay
    usr/share/applications/tarnwick.desktop
    usr/share/doc/tarnwick/README.md
    usr/share/doc/tarnwick/使用说明.md
    usr/share/icons/hicolor/256x256/apps/tarnwick.png
    usr/share/icons/hicolor/48x48/apps/tarnwick.png
    usr/share/icons/hicolor/scalable/apps/tarnwick.svg)
if(NOT installed STREQUAL expected)
  string(REPLACE ";" "\n  " got "${installed}")
  string(REPLACE ";" "\n  " want "${expected}")
  message(FATAL_ERROR "installed:\n  ${got}\nexpected:\n  ${want}")
endif()
file(STRINGS ${OUT}/usr/share/applications/tarnwick.desktop entry)
foreach(line "Exec=tarnwick" "Icon=tarnwick" "Categories=Network;")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()
file(REMOVE_RECURSE ${OUT})
