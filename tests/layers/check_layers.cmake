# The folders stand in layers, each on the ones below it:
#   kit < board < help < the screens (estimate, written, placevalue, blocks) < app
# A file may include its own folder and folders of lower layers, never a
# folder of its own layer or above: a change low down then never has to look
# up. Platform code lives in kit/'s backends (kit/qt/, kit/web/): only a
# backend's own files include it, so that no screen, and nothing kit/ shares,
# knows which platform it runs on.
#
#   cmake -DROOT=<source tree> -P check_layers.cmake
cmake_minimum_required(VERSION 3.22)
if(NOT ROOT)
  message(FATAL_ERROR "ROOT not given")
endif()

set(layer_kit 0)
set(layer_board 1)
set(layer_help 2)
set(layer_estimate 3)
set(layer_written 3)
set(layer_placevalue 3)
set(layer_blocks 3)
set(layer_app 4)
set(folders kit board help estimate written placevalue blocks app)

set(faults "")
set(files_read 0)
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    math(EXPR files_read "${files_read} + 1")
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z_]+/")
    set(own_backend "")
    if(source MATCHES "^${ROOT}/kit/([a-z]+)/")
      set(own_backend "${CMAKE_MATCH_1}")
    endif()
    foreach(line IN LISTS includes)
      if(line MATCHES "\"kit/([a-z]+)/" AND NOT CMAKE_MATCH_1 STREQUAL own_backend)
        file(RELATIVE_PATH shown "${ROOT}" "${source}")
        string(STRIP "${line}" line)
        list(APPEND faults "${shown}: ${line} (only kit/${CMAKE_MATCH_1}/ itself includes kit/${CMAKE_MATCH_1}/)")
      endif()
      string(REGEX REPLACE "^[^\"]*\"([A-Za-z_]+)/.*$" "\\1" target "${line}")
      if(target STREQUAL folder OR NOT DEFINED layer_${target})
        continue()
      endif()
      if(layer_${target} GREATER_EQUAL layer_${folder})
        file(RELATIVE_PATH shown "${ROOT}" "${source}")
        string(STRIP "${line}" line)
        list(APPEND faults "${shown}: ${line} (${folder} may not include ${target})")
      endif()
    endforeach()
  endforeach()
endforeach()

if(files_read EQUAL 0)
  message(FATAL_ERROR "no sources under ${ROOT}")
endif()
if(faults)
  list(JOIN faults "\n  " shown)
  message(FATAL_ERROR "includes against the layers:\n  ${shown}")
endif()
message(STATUS "${files_read} files, every include points down")
