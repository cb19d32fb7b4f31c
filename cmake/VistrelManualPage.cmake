# vistrel_install_manual_page(<target> <page>): installs a manual page compressed, as
# Debian keeps them, into share/man/man1; <target> is the program it describes (it
# names the build step).
function(vistrel_install_manual_page target page)
  get_filename_component(name ${page} NAME)
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/man/${name}.gz)
  # -n: no name or time stamp inside, so that the same page gives the same bytes.
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
    COMMAND gzip -9nc ${page} > ${compressed}
    DEPENDS ${page} VERBATIM)
  add_custom_target(${target}-manual-page ALL DEPENDS ${compressed})
  install(FILES ${compressed} DESTINATION share/man/man1)
endfunction()
