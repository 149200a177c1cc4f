# Fails the build when a file of kvl_core includes a widget, GUI, printer or serial
# header, or a project header from outside the core (a form, a window, a Qt backend).
# Run by the kvl_core_layering target: cmake -DSOURCES="a.cpp|b.h" -DROOT=<src> -P ...
string(REPLACE "|" ";" sources "${SOURCES}")
set(problems "")
foreach(src IN LISTS sources)
  file(STRINGS ${src} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(line MATCHES "<(Qt(Widgets|Gui|PrintSupport|SerialPort)[/>]|QWidget|QApplication|QPainter|QPrinter|QPdfWriter|QSerialPort)")
      list(APPEND problems "${src}: ${line}")
    elseif(line MATCHES "\"([^\"]+)\"")
      set(header ${CMAKE_MATCH_1})
      if(NOT header MATCHES "^[a-z_]+/core/[^/]+$" AND NOT header MATCHES "^platform/[a-z_]+/[^/]+$"
         OR header MATCHES "^platform/widgets/")
        list(APPEND problems "${src}: ${line}")
      endif()
    endif()
  endforeach()
endforeach()
if(problems)
  string(REPLACE ";" "\n  " problems "${problems}")
  message(FATAL_ERROR "kvl_core must stay free of widgets and forms:\n  ${problems}")
endif()
