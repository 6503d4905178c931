# Installs the build into a fresh prefix and checks that the program, its desktop entry, icon and
# file type land in the XDG base, icon-theme and shared-mime-info folders, and that the desktop
# databases learned them; and that tonel-web comes with a systemd unit that starts it from there.
#   cmake -DBUILD_DIR=... -DPREFIX=... -P check_install.cmake
file(REMOVE_RECURSE ${PREFIX})
unset(ENV{DESTDIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} RESULT_VARIABLE failed
                OUTPUT_QUIET ERROR_VARIABLE notes)
if(failed)
  message(FATAL_ERROR "cmake --install failed: ${failed}\n${notes}")
endif()

set(expected bin/tonel bin/tonel-web bin/tonelctl bin/tonel-emulator share/man/man1/tonelctl.1 lib/systemd/system/tonel-web.service lib/modules-load.d/tonel-web.conf
    share/applications/tonel-controller.desktop share/mime/packages/tonel-controller.xml
    share/icons/hicolor/scalable/apps/tonel-controller.svg)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/tonel-controller.png)
endforeach()
foreach(f ${expected})
  if(NOT EXISTS ${PREFIX}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

# The unit starts the program of this prefix, not of the prefix the build was configured for.
file(STRINGS ${PREFIX}/lib/systemd/system/tonel-web.service start REGEX "^ExecStart=")
if(NOT start MATCHES "^ExecStart=${PREFIX}/bin/tonel-web --listen [^ ]+ --fleet /etc/tonel/fleet --token-file ")
  message(FATAL_ERROR "the unit does not start ${PREFIX}/bin/tonel-web: ${start}")
endif()

# A PNG's width and height follow its signature and the IHDR header.
file(READ ${PREFIX}/share/icons/hicolor/256x256/apps/tonel-controller.png header OFFSET 16 LIMIT 8 HEX)
if(NOT header STREQUAL "0000010000000100")
  message(FATAL_ERROR "the 256 px icon is not 256 x 256: ${header}")
endif()

find_program(validate desktop-file-validate REQUIRED)
execute_process(COMMAND ${validate} ${PREFIX}/share/applications/tonel-controller.desktop
                RESULT_VARIABLE invalid OUTPUT_VARIABLE complaints ERROR_VARIABLE complaints)
if(invalid OR NOT complaints STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate: ${complaints}")
endif()

# The databases the install updates when their tools are present.
find_program(update_mime update-mime-database)
if(update_mime)
  file(STRINGS ${PREFIX}/share/mime/globs2 globs REGEX "x-tonel-parameters")
  if(NOT globs MATCHES "application/x-tonel-parameters:\\*\\.cfg")
    message(FATAL_ERROR "the MIME database has no *.cfg glob: ${globs}")
  endif()
endif()
find_program(update_desktop update-desktop-database)
if(update_desktop)
  file(STRINGS ${PREFIX}/share/applications/mimeinfo.cache handlers REGEX "x-tonel-parameters")
  if(NOT handlers MATCHES "^application/x-tonel-parameters=tonel-controller\\.desktop")
    message(FATAL_ERROR "no handler for parameter files: ${handlers}")
  endif()
endif()
file(REMOVE_RECURSE ${PREFIX})
