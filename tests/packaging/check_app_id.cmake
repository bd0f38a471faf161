# The desktop entry, the metainfo and the icons must name each other and the
# programs alike, or the desktop shows no icon or the software centre cannot
# launch the program; and the metainfo and the Debian changelog must both name
# the project's version as their newest release, or it goes out under another.
#   -DDESKTOP_FILE -DMETAINFO_FILE -DCHANGELOG_FILE -DAPP_ID -DVERSION
#   -DWINDOW_BINARY -DSCAN_BINARY
file(READ ${DESKTOP_FILE} desktop)
file(READ ${METAINFO_FILE} metainfo)
file(READ ${CHANGELOG_FILE} changelog)

set(failures)
# Notes a failure unless the text in `textVariable` matches `pattern`.
function(expect textVariable pattern what)
  if(NOT ${textVariable} MATCHES "${pattern}")
    string(REPLACE "\n" "\\n" shown "${pattern}")
    set(failures "${failures}${what}: ${textVariable} does not match ${shown}\n" PARENT_SCOPE)
  endif()
endfunction()

expect(desktop "(^|\n)Exec=${WINDOW_BINARY}(\n|$)" "desktop Exec starts the window")
expect(desktop "(^|\n)Icon=${APP_ID}(\n|$)" "desktop Icon is the app id")
expect(desktop "(^|\n)Categories=([^\n]*[=\;])?Utility\;" "desktop entry is a Utility")
expect(metainfo "<id>${APP_ID}</id>" "metainfo id is the app id")
expect(metainfo "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
       "metainfo launches the desktop entry")
expect(metainfo "<icon type=\"stock\">${APP_ID}</icon>" "metainfo icon is the app id")
expect(metainfo "<binary>${WINDOW_BINARY}</binary>" "metainfo provides the window")
expect(metainfo "<binary>${SCAN_BINARY}</binary>" "metainfo provides the scanner")
expect(metainfo "<releases>[ \n]*<release version=\"${VERSION}\""
       "metainfo's newest release is this version")
expect(changelog "^quillmoor \\(${VERSION}\\) " "changelog's newest entry is this version")

get_filename_component(desktopName ${DESKTOP_FILE} NAME)
if(NOT desktopName STREQUAL "${APP_ID}.desktop")
  string(APPEND failures "the desktop entry ${desktopName} is not named after the app id\n")
endif()
# The program opens hard-disk images of any kind, so it claims no file types:
# a MimeType line would offer it for every image on the desktop.
if(desktop MATCHES "(^|\n)MimeType=")
  string(APPEND failures "the desktop entry claims MIME types\n")
endif()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
