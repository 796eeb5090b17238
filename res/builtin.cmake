# The pictures the program shows the moment it starts, drawn at build time by
# render_icon at the sizes the welcome screen (app/frmmecenaat1.cpp) and the
# window icon ask for at device pixel ratio 1, and compiled in as pixels that
# kit/qt/artwork shows without drawing them. Drawing them at run time was most
# of what the program's start cost beyond Qt's own.
#
# Each entry is <picture>.svg, or <picture>.svg=<width>x<height> for a size
# other than its own. tests/app/tst_startpictures.cpp fails, naming the
# picture, when the welcome screen asks for one that is not here.
#
# Only where the build makes render_icon for itself (packaging/): a cross build
# draws these at run time like every other picture.
if(CMAKE_CROSSCOMPILING OR WIN32)
  return()
endif()

set(builtin_pictures
  icon.svg                     # the window icon, at its own size
  welcome.svg=249x192          # the big button, kept in proportion inside it
  welcome_big1.svg=150x150
  welcome_big2.svg=150x150
  welcome_small1.svg=60x60
  welcome_small2.svg=60x60)

set(builtin_args)
set(builtin_svgs)
foreach(entry IN LISTS builtin_pictures)
  string(REGEX REPLACE "=.*" "" name "${entry}")
  list(APPEND builtin_svgs ${CMAKE_SOURCE_DIR}/res/${name})
  list(APPEND builtin_args ${CMAKE_SOURCE_DIR}/res/${entry})
endforeach()

set(builtin_cpp ${CMAKE_BINARY_DIR}/builtin_pictures.cpp)
add_custom_command(OUTPUT ${builtin_cpp}
  COMMAND rekentol_render_icon --builtin ${builtin_cpp} ${builtin_args}
  DEPENDS rekentol_render_icon ${builtin_svgs}
  COMMENT "Drawing the welcome screen's pictures")
set_source_files_properties(${builtin_cpp} PROPERTIES SKIP_AUTOGEN ON SKIP_PRECOMPILE_HEADERS ON)
target_sources(rekentol_core PRIVATE ${builtin_cpp})
target_compile_definitions(rekentol_core PRIVATE REKENTOL_BUILTIN_PICTURES)
