# Each hicolor PNG is a PNG of the size its folder names; the 16 x 16 one, which
# is also the window's icon, is 24-bit colour (colour type 2, RGB, with any
# transparency as a colour key); the larger ones may carry an alpha channel.
#   -DICON_DIR -DAPP_ID
# size, then the colour types allowed (2 RGB, 6 RGBA)
set(cases
    16 "2"
    32 "2|6"
    48 "2|6"
    64 "2|6"
    128 "2|6"
    256 "2|6")

set(failures)
while(cases)
  list(POP_FRONT cases size colourTypes)
  set(png ${ICON_DIR}/${size}x${size}/${APP_ID}.png)
  if(NOT EXISTS ${png})
    string(APPEND failures "${png} is missing\n")
    continue()
  endif()
  # Signature, then the IHDR chunk: length, type, width, height, depth, colour type.
  file(READ ${png} header LIMIT 26 HEX)
  if(NOT header MATCHES "^89504e470d0a1a0a0000000d49484452(........)(........)(..)(..)$")
    string(APPEND failures "${png} does not start like a PNG file\n")
    continue()
  endif()
  math(EXPR width "0x${CMAKE_MATCH_1}")
  math(EXPR height "0x${CMAKE_MATCH_2}")
  math(EXPR depth "0x${CMAKE_MATCH_3}")
  math(EXPR colourType "0x${CMAKE_MATCH_4}")
  if(NOT width EQUAL size OR NOT height EQUAL size)
    string(APPEND failures "${png} is ${width} x ${height}\n")
  endif()
  if(NOT depth EQUAL 8 OR NOT colourType MATCHES "^(${colourTypes})$")
    string(APPEND failures
           "${png} has bit depth ${depth} and colour type ${colourType}; wanted 8 and ${colourTypes}\n")
  endif()
endwhile()

set(svg ${ICON_DIR}/scalable/${APP_ID}.svg)
file(READ ${svg} svgText)
if(NOT svgText MATCHES "<svg[^>]* viewBox=\"0 0 ([0-9]+) ([0-9]+)\""
   OR NOT CMAKE_MATCH_1 EQUAL CMAKE_MATCH_2)
  string(APPEND failures "${svg} has no square viewBox\n")
endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
