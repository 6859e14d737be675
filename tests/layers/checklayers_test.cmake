# Runs tools/checklayers.cmake on small source trees, one include each, and fails when the
# check refuses an include the order allows or lets one pass that it forbids.
# Run: cmake -DCHECK=<source>/tools/checklayers.cmake -P checklayers_test.cmake

# file|header|refused or allowed
set(cases
  "admin/a.cpp|planner/calendar.h|refused"
  "admin/a.cpp|bookings/bookingform.h|refused"
  "admin/a.cpp|reports/receipt.h|refused"
  "reports/a.cpp|admin/kontodata.h|refused"
  "reports/a.cpp|bookings/bookingform.h|refused"
  "reports/a.cpp|planner/plannerbars.h|refused"
  "bookings/a.cpp|planner/plannerbars.h|refused"
  "planner/a.cpp|app/main.h|refused"
  "core/a.h|admin/kontodata.h|refused"
  "platform/a.h|core/generalen.h|refused"
  "reports/a.cpp|../planner/calendar.h|refused"
  "tools/a.cpp|core/generalen.h|refused"
  "admin/a.cpp|core/generalen.h|allowed"
  "reports/a.cpp|reports/receipt.h|allowed"
  "bookings/a.cpp|reports/receipt.h|allowed"
  "bookings/a.cpp|admin/kontodata.h|allowed"
  "planner/a.cpp|bookings/bookingform.h|allowed"
  "planner/a.cpp|reports/searchinfoform.h|allowed"
  "app/a.cpp|planner/calendar.h|allowed"
  "core/a.cpp|platform/system.h|allowed")

if(DEFINED ENV{TMPDIR})
  set(temp $ENV{TMPDIR})
else()
  set(temp /tmp)
endif()
string(RANDOM LENGTH 10 tag)
set(root ${temp}/checklayers-${tag})

set(faults "")
foreach(c IN LISTS cases)
  string(REPLACE "|" ";" parts "${c}")
  list(GET parts 0 file)
  list(GET parts 1 header)
  list(GET parts 2 expected)
  file(REMOVE_RECURSE ${root})
  file(WRITE ${root}/${file} "#include <QString>\n#include \"${header}\"\n")
  execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${root} -P ${CHECK}
                  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE said)
  if(expected STREQUAL "refused" AND (result EQUAL 0 OR NOT said MATCHES "${file}"))
    list(APPEND faults "${file} including ${header} passed the check")
  elseif(expected STREQUAL "allowed" AND NOT result EQUAL 0)
    list(APPEND faults "${file} including ${header} was refused: ${said}")
  endif()
endforeach()
file(REMOVE_RECURSE ${root})

if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "${text}")
endif()
