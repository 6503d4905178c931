# `systemd-analyze verify` on tonel-web's unit as configured for this build; any complaint fails.
#   cmake -DUNIT=.../tonel-web.service -P verify_unit.cmake
find_program(analyze systemd-analyze REQUIRED)
execute_process(COMMAND ${analyze} verify ${UNIT} RESULT_VARIABLE failed OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(failed OR NOT said STREQUAL "")
  message(FATAL_ERROR "systemd-analyze verify ${UNIT} (${failed}):\n${said}")
endif()
