# The distribution's hardening of every program: a stack protector, position-independent
# executables and read-only relocations bound at start.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
add_compile_options(-fstack-protector-strong)
add_link_options(LINKER:-z,relro LINKER:-z,now)

# Checked library calls need optimisation, and the sanitizers miss the calls they turn into, so
# only optimised builds without sanitizers get them. A fortify level the caller's flags set
# already wins.
if(KEYLUME_SANITIZE STREQUAL "" AND NOT KEYLUME_FUZZ AND NOT CMAKE_CXX_FLAGS MATCHES "_FORTIFY_SOURCE")
  set(optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
  # The compiler may define a level of its own; redefining it would warn.
  add_compile_options("$<${optimised}:-U_FORTIFY_SOURCE>" "$<${optimised}:-D_FORTIFY_SOURCE=2>")
endif()
