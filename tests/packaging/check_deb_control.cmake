# The .deb's control fields: name, version, this machine's architecture, the
# section, a maintainer and a description, and Depends as dpkg-shlibdeps
# writes it from the libraries the programs really link.
#   -DDEB -DVERSION -DWITH_WINDOW
include(${CMAKE_CURRENT_LIST_DIR}/packaging_helpers.cmake)

function(field name out)
  quillmoor_run(value dpkg-deb --field ${DEB} ${name})
  string(STRIP "${value}" value)
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

quillmoor_run(arch dpkg --print-architecture)
string(STRIP "${arch}" arch)

# field, then a regular expression its value must match
set(cases
    "Package" "^quillmoor$"
    "Version" "^${VERSION}$"
    "Architecture" "^${arch}$"
    "Section" "^utils$"
    "Maintainer" "^[^<]+ <[^@>]+@[^>]+>$"
    "Description" "^recover TR-DOS floppy-disk images from hard-disk images\n .+"
    # shlibdeps: the C and C++ runtimes every program links, with versions
    "Depends" "(^|, )libc6 \\(>= [0-9.]+\\)"
    "Depends" "(^|, )libstdc\\+\\+6 \\(>= [0-9.]+\\)")
if(WITH_WINDOW)
  list(APPEND cases "Depends" "(^|, )libqt6widgets6 \\(>= [0-9.]+\\)")
endif()

set(failures)
while(cases)
  list(POP_FRONT cases name pattern)
  field(${name} value)
  if(NOT value MATCHES "${pattern}")
    string(APPEND failures "${name}: '${value}' does not match '${pattern}'\n")
  endif()
endwhile()
if(failures)
  message(FATAL_ERROR "${DEB} has wrong control fields:\n${failures}")
endif()
