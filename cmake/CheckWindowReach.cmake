# Checks that no file under src/ below the window layer reaches a window by a name: no walk over the loaded
# windows (Form::loadedForms), no look at the window in front (Screen.ActiveForm), no control looked up by a
# written name, no window told by a written name. Renaming a control or a window would silently stop such a
# reach; the layers reach windows through their typed sides (docs/ARCHITECTURE.md). The platform layer,
# which provides these lookups, and the window layer ui/ are not checked.
# Run as: cmake -DQV_SRC=<src folder> -P CheckWindowReach.cmake
# Lists every reach with its file and line and fails when there is one.
cmake_minimum_required(VERSION 3.25)
if(NOT QV_SRC)
  message(FATAL_ERROR "QV_SRC is not set")
endif()

# A name written in the code: "x", u"x", QStringLiteral("x"), QLatin1String("x").
set(written "(QStringLiteral[ \t]*\\([ \t]*|QLatin1String[ \t]*\\([ \t]*|u?)\"")
set(patterns
  "loadedForms[ \t]*\\("
  "ActiveForm[ \t]*\\("
  "control[ \t]*\\([ \t]*${written}"
  "(^|[^A-Za-z0-9_])Name[ \t]*\\([ \t]*\\)[ \t]*(==|!=)[ \t]*${written}"
  "(^|[^A-Za-z0-9_])Name[ \t]*\\([ \t]*\\)[ \t]*\\.[ \t]*compare[ \t]*\\([ \t]*${written}")

file(GLOB_RECURSE files RELATIVE ${QV_SRC} ${QV_SRC}/*.h ${QV_SRC}/*.cpp)
if(NOT files)
  message(FATAL_ERROR "No sources under ${QV_SRC}")
endif()
set(reaches "")
foreach(f ${files})
  if(f MATCHES "^(platform|ui)/")
    continue()
  endif()
  # One list entry a line: the list's own separator and brackets in the code are put aside first.
  file(READ ${QV_SRC}/${f} text)
  string(REPLACE ";" "<semicolon>" text "${text}")
  string(REPLACE "[" "<open>" text "${text}")
  string(REPLACE "]" "<close>" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(n 0)
  foreach(line IN LISTS lines)
    math(EXPR n "${n} + 1")
    string(REPLACE "<semicolon>" ";" line "${line}")
    string(REPLACE "<open>" "[" line "${line}")
    string(REPLACE "<close>" "]" line "${line}")
    string(REGEX REPLACE "//.*" "" code "${line}")
    foreach(p ${patterns})
      if(code MATCHES "${p}")
        string(STRIP "${line}" shown)
        string(APPEND reaches "\n  ${f}:${n}: ${shown}")
        break()
      endif()
    endforeach()
  endforeach()
endforeach()

if(reaches)
  message(FATAL_ERROR "Reaches into a window by name below the window layer (use the layer's window side):${reaches}")
endif()
message(STATUS "No layer below the window reaches a window by name")
