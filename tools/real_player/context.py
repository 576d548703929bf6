"""What the items of one run share: the session, the player, the tray, where pictures go."""
import os
import uuid

from .player import read_cfg_bool

PAUSE_ON_SCREEN_SAVER = uuid.UUID('89FCD01A-DEB7-4388-88AF-2F6A8C719F74').bytes_le


class Context:
    def __init__(self, **fields):
        self.updated = self.removed = False
        self.__dict__.update(fields)

    def setting(self):
        """"pause on screen saver" as the player stored it (1, 0 or None)."""
        return read_cfg_bool(self.player.profile, PAUSE_ON_SCREEN_SAVER)

    def rel(self, path):
        return os.path.relpath(os.path.abspath(path), self.root)
