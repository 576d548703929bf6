"""The pictures for the README, put together from the run's screenshots once the run is over."""
import os
import subprocess

from .image import CONVERT

STRIPS = {
    'strip.png': ['strip-stopped', 'strip-playing', 'strip-paused', 'strip-volume'],
    'strip-144dpi.png': ['strip-stopped-144dpi', 'strip-playing-144dpi', 'strip-paused-144dpi'],
    'view-menu.png': ['menu-view', 'menu-trelvane'],
}


def put_together(shots, pictures):
    """Each picture of STRIPS from the screenshots it names, left to right with a gap, when
    the run made all of them."""
    for picture, names in STRIPS.items():
        parts = [os.path.join(shots, n + '.png') for n in names]
        if all(os.path.exists(p) for p in parts):
            subprocess.run([CONVERT] + parts + ['-background', 'white', '-splice', '12x0', '+append', '-chop', '12x0',
                                                os.path.join(pictures, picture)],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
