# Wayland protocols a client speaks: the code wayland-scanner generates from their XML.
find_program(WAYLAND_SCANNER wayland-scanner)
pkg_check_modules(WAYLAND_CLIENT IMPORTED_TARGET wayland-client)

# The wlroots protocols come with the source of the Rust protocol crate: the newest copy of
# NAME.xml, or empty.
function(keylume_wlr_protocol_xml variable name)
  file(GLOB found
       /usr/share/cargo/registry/wayland-protocols-*/wlr-protocols/unstable/${name}.xml)
  set(xml "")
  if(found)
    list(SORT found)
    list(GET found -1 xml)
  endif()
  set(${variable} ${xml} PARENT_SCOPE)
endfunction()

# Generates the client code of each XML file into TARGET's build folder and adds it to TARGET.
function(keylume_wayland_protocols target)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/protocols)
  foreach(xml IN LISTS ARGN)
    get_filename_component(name ${xml} NAME_WE)
    add_custom_command(
      OUTPUT ${generated}/${name}-client-protocol.h ${generated}/${name}-protocol.c
      COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}
      COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${generated}/${name}-client-protocol.h
      COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${generated}/${name}-protocol.c
      DEPENDS ${xml})
    target_sources(${target} PRIVATE ${generated}/${name}-client-protocol.h
                   ${generated}/${name}-protocol.c)
  endforeach()
  target_include_directories(${target} PRIVATE ${generated})
  target_link_libraries(${target} PRIVATE PkgConfig::WAYLAND_CLIENT)
endfunction()
