#!/bin/sh
# Makes the small JPEGs the picture tests read, with ImageMagick: one 70 x 50 picture of four
# coloured areas (#C03020 top left, #20A040 top right, #2040C0 bottom left, #E0E0E0 bottom
# right; split at x = 32 and y = 16), saved in the layouts covers come in. Kept in the tree so
# the tests do not depend on the encoder's version.
set -e
cd "$(dirname "$0")"
areas() {
  convert \( -size 32x16 xc:'#C03020' -size 38x16 xc:'#20A040' +append \) \
          \( -size 32x34 xc:'#2040C0' -size 38x34 xc:'#E0E0E0' +append \) -append -quality 90 "$@"
}
areas -sampling-factor 2x2 areas-420.jpg
areas -sampling-factor 2x2 -interlace JPEG areas-420-progressive.jpg
areas -sampling-factor 2x1 areas-422.jpg
areas -colorspace Gray areas-grey.jpg
