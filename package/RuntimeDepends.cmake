# Run by CPack after the programs are staged and before the package is made: adds to
# Depends what the programs load at run time, where dpkg-shlibdeps cannot see it.
#
# Qt loads its platform plugins, the SVG icon engine, the image formats and the multimedia
# backends with dlopen, and its German texts from a file, so no program names them. Which
# of them matter follows from the Qt libraries the staged programs link (their NEEDED
# entries); the packages are those that own the plugin files on this machine, asked from
# dpkg, so that a distribution that moves a plugin into another package still gets the
# right dependency. Packages that own a linked library are left out: dpkg-shlibdeps names
# those, with their versions.

# Every word of `output` before the first ": /" of each line of `dpkg-query --search`.
function(vistrel_owner_packages output out)
  set(packages)
  string(REGEX MATCHALL "[^\n]+" lines "${output}")
  foreach(line ${lines})
    string(REGEX REPLACE ": /.*$" "" owners "${line}")
    string(REPLACE ", " ";" owners "${owners}")
    foreach(owner ${owners})
      string(REGEX REPLACE ":.*$" "" owner "${owner}")
      list(APPEND packages ${owner})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES packages)
  set(${out} ${packages} PARENT_SCOPE)
endfunction()

function(vistrel_runtime_depends staged plugin_folder german_texts out)
  file(GLOB programs ${staged}/usr/bin/*)
  set(needed)
  foreach(program ${programs})
    execute_process(COMMAND readelf --dynamic ${program} OUTPUT_VARIABLE dynamic ERROR_QUIET)
    string(REGEX MATCHALL "Shared library: \\[[^]]+\\]" entries "${dynamic}")
    foreach(entry ${entries})
      string(REGEX REPLACE "Shared library: \\[(.*)\\]" "\\1" library "${entry}")
      list(APPEND needed ${library})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES needed)

  set(plugins)
  set(named)
  if(needed MATCHES "libQt6Gui\\.so")
    list(APPEND plugins platforms/libqxcb.so platforms/libqwayland*.so iconengines/*.so imageformats/*.so)
  endif()
  if(needed MATCHES "libQt6Multimedia\\.so")
    list(APPEND plugins multimedia/*.so)
    # The backend Qt Multimedia uses on Linux decodes and plays through GStreamer's own
    # plugins, which it finds by name at run time.
    list(APPEND named gstreamer1.0-plugins-base gstreamer1.0-plugins-good)
  endif()
  list(TRANSFORM plugins PREPEND ${plugin_folder}/)
  file(GLOB plugin_files ${plugins})
  # The window program loads Qt's German texts for Qt's own buttons and dialogs.
  if(needed MATCHES "libQt6Widgets\\.so" AND EXISTS "${german_texts}")
    list(APPEND plugin_files ${german_texts})
  endif()

  set(runtime ${named})
  if(plugin_files)
    execute_process(COMMAND dpkg-query --search ${plugin_files} OUTPUT_VARIABLE found RESULT_VARIABLE failed ERROR_QUIET)
    if(failed)
      message(WARNING "dpkg does not know the owners of all of Qt's plugins in ${plugin_folder}: Depends may lack them")
    endif()
    vistrel_owner_packages("${found}" plugin_owners)
    list(APPEND runtime ${plugin_owners})
  endif()
  set(linked_patterns ${needed})
  list(TRANSFORM linked_patterns PREPEND "*/")
  execute_process(COMMAND dpkg-query --search ${linked_patterns} OUTPUT_VARIABLE found ERROR_QUIET)
  vistrel_owner_packages("${found}" linked_owners)
  list(REMOVE_DUPLICATES runtime)
  if(linked_owners AND runtime)
    list(REMOVE_ITEM runtime ${linked_owners})
  endif()
  list(SORT runtime)
  set(${out} ${runtime} PARENT_SCOPE)
endfunction()

vistrel_runtime_depends(${CPACK_TEMPORARY_INSTALL_DIRECTORY} ${CPACK_VISTREL_QT_PLUGIN_FOLDER}
                        "${CPACK_VISTREL_QT_GERMAN_TEXTS}" runtime)
string(REPLACE ";" ", " runtime "${runtime}")
message(STATUS "Run-time pieces in Depends: ${runtime}")
if(runtime)
  if(CPACK_DEBIAN_PACKAGE_DEPENDS)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CPACK_DEBIAN_PACKAGE_DEPENDS}, ${runtime}")
  else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${runtime}")
  endif()
endif()
