# Precompiled headers for every target with enough sources to gain from one.
#
# Most of a translation unit's compile time here is spent parsing Qt's headers (about 2.5 s of a
# 3.7 s compile on this project's machines); a precompiled set of the headers nearly every file
# includes halves a full build. Each target gets its own, built with its own flags, so the sanitizer,
# fuzz and plain builds stay independent. TARNWICK_PCH=OFF turns them off (to check that every file
# includes what it uses).

option(TARNWICK_PCH "Precompile the common Qt and standard headers" ON)

set(TW_PCH_CORE
    <QString> <QStringList> <QByteArray> <QByteArrayView> <QList> <QHash> <QObject> <QTimer>
    <QFile> <QDir> <QFileInfo> <QDateTime> <QRegularExpression> <QJsonArray> <QJsonDocument>
    <QJsonObject>
    <algorithm> <functional> <memory> <optional> <vector> <map> <utility>)
set(TW_PCH_WIDGETS
    <QWidget> <QLabel> <QPushButton> <QLineEdit> <QComboBox> <QCheckBox> <QHBoxLayout>
    <QVBoxLayout> <QGridLayout> <QGroupBox> <QPlainTextEdit> <QTableView> <QHeaderView> <QMenu>
    <QAction> <QTabWidget> <QMessageBox>)
set(TW_PCH_TESTS <gtest/gtest.h> <QTemporaryDir>)

# Targets with fewer C++ sources than this build faster without a precompiled header.
set(TW_PCH_MIN_SOURCES 4)

function(tw_uses_library target library out)
  get_target_property(libs ${target} LINK_LIBRARIES)
  set(found OFF)
  if(libs)
    foreach(lib ${libs})
      if(lib STREQUAL library)
        set(found ON)
      elseif(TARGET ${lib} AND lib MATCHES "^tarnwick_")
        tw_uses_library(${lib} ${library} nested)
        if(nested)
          set(found ON)
        endif()
      endif()
      if(found)
        break()
      endif()
    endforeach()
  endif()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(tw_precompile_target target)
  get_target_property(type ${target} TYPE)
  if(NOT type MATCHES "^(STATIC_LIBRARY|EXECUTABLE)$")
    return()
  endif()
  get_target_property(sources ${target} SOURCES)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  list(LENGTH sources count)
  if(count LESS TW_PCH_MIN_SOURCES)
    return()
  endif()
  set(headers ${TW_PCH_CORE})
  tw_uses_library(${target} Qt6::Widgets widgets)
  if(widgets)
    list(APPEND headers ${TW_PCH_WIDGETS})
  endif()
  tw_uses_library(${target} GTest::gtest gtest)
  if(gtest)
    list(APPEND headers ${TW_PCH_TESTS})
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

# Walks the source tree's directories and gives each eligible target its header set.
function(tw_precompile_all dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    tw_precompile_target(${target})
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir ${subdirs})
    tw_precompile_all(${subdir})
  endforeach()
endfunction()
