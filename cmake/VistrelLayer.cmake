# vistrel_layer(<target> <folder> [DEPS ...] [QT] [EXCLUDE file.cpp ...]): one static library
# per folder made of every .cpp in it (sub-folders excluded), so adding a file needs no edit
# here. EXCLUDE leaves out files that a library of their own in the same folder builds.
function(vistrel_layer target folder)
  cmake_parse_arguments(ARG "QT" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  foreach(excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${folder}/${excluded})
  endforeach()
  file(GLOB headers CONFIGURE_DEPENDS ${folder}/*.h)
  file(GLOB forms CONFIGURE_DEPENDS ${folder}/*.ui)
  if(NOT sources)
    # A layer not written yet: an empty interface so that others can name it.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${target} STATIC ${sources} ${headers} ${forms})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  if(ARG_QT)
    set_target_properties(${target} PROPERTIES AUTOMOC ON AUTOUIC ON AUTORCC ON
      AUTOUIC_SEARCH_PATHS ${PROJECT_SOURCE_DIR}/res/ui)
  endif()
endfunction()
