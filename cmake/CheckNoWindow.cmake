# Fails when a program holds any window of this program (a class Frm... of namespace qv).
# Run as: cmake -DQV_NM=<nm> -DQV_PROGRAM=<program> -P CheckNoWindow.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${QV_NM} -C ${QV_PROGRAM} OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${QV_NM} failed on ${QV_PROGRAM}")
endif()
string(REGEX MATCHALL "qv::Frm[A-Za-z_]+" windows "${symbols}")
if(windows)
  list(REMOVE_DUPLICATES windows)
  list(JOIN windows ", " text)
  message(FATAL_ERROR "${QV_PROGRAM} holds windows: ${text}")
endif()
message(STATUS "${QV_PROGRAM} holds no window")
