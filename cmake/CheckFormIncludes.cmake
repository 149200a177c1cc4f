# Fails the build when a form reaches up into the main window's folder, or when the
# forms' floor (forms/) reaches up into a form or the main window. Both may include
# the core, the platform layers and the floor.
# Run by the kvl_forms_layering target: cmake -DFORMS="a.cpp|b.h" -DFLOOR="c.cpp|d.h" -P ...
function(check_includes sources refused_regex)
  string(REPLACE "|" ";" sources "${sources}")
  foreach(src IN LISTS sources)
    file(STRINGS ${src} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX MATCH "\"([^\"]+)\"" quoted "${line}")
      if(CMAKE_MATCH_1 MATCHES "${refused_regex}")
        set(problems ${problems} "${src}: ${line}")
      endif()
    endforeach()
  endforeach()
  set(problems ${problems} PARENT_SCOPE)
endfunction()

set(problems "")
# A form may include shell/core/ only.
check_includes("${FORMS}" "^shell/[^/]+$")
# The floor includes no file at the top of a subsystem folder but its own.
check_includes("${FLOOR}" "^(shell|dive|device|settings|analysis|people|site_gear|reports)/[^/]+$")
if(problems)
  string(REPLACE ";" "\n  " problems "${problems}")
  message(FATAL_ERROR "the forms must reach the main window only through its hooks:\n  ${problems}")
endif()
