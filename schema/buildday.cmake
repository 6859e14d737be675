# Writes today's date into STAMP when it holds another day. Demodata.mdb depends on the stamp,
# so its calendar is laid again around the day of the build once a day.
string(TIMESTAMP today "%Y-%m-%d")
set(stamped "")
if(EXISTS "${STAMP}")
  file(READ "${STAMP}" stamped)
endif()
if(NOT stamped STREQUAL today)
  file(WRITE "${STAMP}" "${today}")
endif()
