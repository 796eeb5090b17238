# The Windows test programs run headless under Wine as they do on Linux: a
# static Qt links only the Windows platform plugin by default, so the offscreen
# one goes into every program but rekentol.exe itself.
function(rekentol_import_offscreen dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE" AND NOT target STREQUAL "rekentol")
      qt_import_plugins(${target} INCLUDE Qt6::QOffscreenIntegrationPlugin)
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    rekentol_import_offscreen(${sub})
  endforeach()
endfunction()
rekentol_import_offscreen(${CMAKE_SOURCE_DIR})
