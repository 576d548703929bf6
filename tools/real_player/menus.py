"""The player's View > Trelvane submenu, by the keyboard: Alt+V opens View, T the submenu, then
each command's first letter (the player underlines one letter of every item)."""
import os

from . import x11
from .wait import poll

KEYS = x11.Keyboard()


def new_popup(before, limit):
    return poll(lambda: next(iter(sorted(set(x11.popups()) - before)), None), limit, 0.2)


def open_submenu(ctx):
    """Opens View > Trelvane; its window, or None (menus closed again)."""
    ctx.player.focus()
    before = set(x11.popups())
    KEYS.key('alt+v')
    view = new_popup(before, 4)
    if not view:
        return None
    x11.save(view, os.path.join(ctx.shots, 'menu-view.png'))
    KEYS.key('t')
    sub = new_popup(before | {view}, 4)
    if sub:
        x11.save(sub, os.path.join(ctx.shots, 'menu-trelvane.png'))
    else:
        KEYS.key('Escape', 'Escape')
    return sub


def command(ctx, letter):
    """One command of the submenu by its letter; False when the submenu did not open."""
    if not open_submenu(ctx):
        return False
    KEYS.key(letter)
    poll(lambda: not any(cls == 'foobar2000.exe' for cls, *_ in x11.popups().values()), 3)
    return True
