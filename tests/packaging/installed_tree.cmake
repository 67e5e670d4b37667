# wattlet_check_installed_tree(<prefix>): the installed files are where the desktop, man and
# dpkg look for them, their validators accept them, and the installed program runs. Needs APP_ID
# and VERSION.
function(wattlet_check_installed_tree prefix)
  set(expected
    bin/wattlet
    share/applications/${APP_ID}.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/icons/hicolor/scalable/apps/${APP_ID}.svg
    share/man/man1/wattlet.1.gz
    share/man/man8/wattlet-charge-limit.8.gz
    libexec/wattlet/wattlet-charge-limit
    libexec/wattlet/wattlet-tray
    share/polkit-1/actions/${APP_ID}.set-charge-limit.policy
    lib/systemd/system/wattlet-charge-limit.service
    lib/udev/rules.d/70-wattlet-charge-limit.rules
    share/doc/wattlet/copyright
    share/doc/wattlet/changelog.gz)
  foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
  endforeach()
  foreach(file IN LISTS expected)
    if(NOT EXISTS "${prefix}/${file}")
      message(FATAL_ERROR "not installed: ${prefix}/${file}")
    endif()
  endforeach()

  execute_process(COMMAND "${prefix}/bin/wattlet" --version
    OUTPUT_VARIABLE output RESULT_VARIABLE result)
  if(NOT result EQUAL 0 OR NOT output STREQUAL "wattlet ${VERSION}\n")
    message(FATAL_ERROR "the installed program does not run: ${result} ${output}")
  endif()

  # Every catalog's language in the desktop entry, the metainfo and the password dialog.
  file(READ "${prefix}/share/applications/${APP_ID}.desktop" desktop)
  file(READ "${prefix}/share/metainfo/${APP_ID}.metainfo.xml" metainfo)
  file(READ "${prefix}/share/polkit-1/actions/${APP_ID}.set-charge-limit.policy" policy)
  string(REPLACE "," ";" languages "${LINGUAS}")
  foreach(lang IN LISTS languages)
    string(FIND "${desktop}" "Comment[${lang}]=" in_desktop)
    # The metainfo takes gettext 0.23's BCP 47 tags (pt-BR, zh-Hans-CN); polkit only the
    # locale's name (pt_BR).
    string(REGEX REPLACE "_" "[-_](Han[st]-)?" tag "${lang}")
    string(REGEX MATCH "<summary xml:lang=\"${tag}\">" in_metainfo "${metainfo}")
    string(FIND "${policy}" "<message xml:lang=\"${lang}\">" in_policy)
    if(in_desktop EQUAL -1 OR NOT in_metainfo OR in_policy EQUAL -1)
      message(FATAL_ERROR "not translated into ${lang}")
    endif()
  endforeach()

  wattlet_check_tool(desktop-file-validate "${prefix}/share/applications/${APP_ID}.desktop")
  if(NOT tool_output STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${tool_output}")
  endif()
  wattlet_check_tool(appstreamcli validate --no-net "${prefix}/share/metainfo/${APP_ID}.metainfo.xml")
  # The manual pages as man renders them at a terminal's width, and groff's own warnings.
  set(ENV{MANWIDTH} 80)
  foreach(page man1/wattlet.1.gz man8/wattlet-charge-limit.8.gz)
    wattlet_check_tool(man --warnings -l "${prefix}/share/man/${page}")
    execute_process(COMMAND gzip -dc "${prefix}/share/man/${page}"
      COMMAND groff -ww -z -man RESULT_VARIABLE result ERROR_VARIABLE warnings)
    if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
      message(FATAL_ERROR "groff ${page}: ${result} ${warnings}")
    endif()
  endforeach()
endfunction()

# wattlet_check_tool(<program> <argument>…): runs the program when it is installed and fails when
# it exits non-zero or writes anything to standard error; leaves its output in tool_output.
function(wattlet_check_tool program)
  set(tool_output "" PARENT_SCOPE)
  find_program(tool ${program} NO_CACHE)
  if(NOT tool)
    message(STATUS "${program} is not installed: skipped")
    return()
  endif()
  execute_process(COMMAND "${tool}" ${ARGN}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT result EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "${program} ${ARGN}: ${result}\n${errors}${output}")
  endif()
  set(tool_output "${output}" PARENT_SCOPE)
endfunction()
