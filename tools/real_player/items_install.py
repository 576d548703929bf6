"""Items of the Components page: the install and the update by a package dropped on the page,
"Install...", and the removal."""
import os
import zipfile

from . import strip_checks as strip
from . import x11
from .components_page import (Preferences, apply_and_restart, close_notice, drop_package, listed,
                              remove_component)
from .menus import new_popup
from .report import Skip
from .wait import poll

INSTALLED = os.path.join('user-components', 'foo_Trelvane', 'foo_Trelvane.dll')


def install_button(ctx):
    """Preferences > Components > "Install...": the player starts its helper fooHelper.exe to
    show the file dialog."""
    if not os.path.exists(os.path.join(ctx.player.work, 'fooHelper.exe')):
        raise Skip('cannot run with this player copy: it has no fooHelper.exe, the helper that shows '
                   '"Install..."\'s file dialog, so a click on the button opens nothing')
    prefs = Preferences(ctx)
    if not prefs.components():
        return False, 'no Components page'
    before = set(x11.popups())
    prefs.button(241, 53)
    dialog = new_popup(before, 20)
    if dialog:
        x11.save(dialog, os.path.join(ctx.pictures, 'install-0-file-dialog.png'))
        x11.Keyboard().key('Escape')
    prefs.close()
    return bool(dialog), 'the file dialog %s' % ('opened' if dialog else 'did not open within 20 s')


def drop_and_restart(ctx, step, package=None):
    """The package dropped on the Components page, OK, OK to the restart question; '' or what
    went wrong. Pictures: STEP-1-components-page, STEP-2-dropped, STEP-3-restart-question."""
    if ctx.no_component:
        return 'NO_COMPONENT=1'
    prefs = Preferences(ctx)
    if not prefs.components():
        return 'no Components page'
    prefs.picture(step + '-1-components-page')
    before = x11.capture(prefs.window)
    finished, problem = drop_package(ctx, prefs, package or ctx.package)
    if not finished:
        return problem
    # The page lists the dropped module as "(unknown - please apply changes to load)" (the
    # copied report leaves it out until the restart): the page's picture changes.
    changed = poll(lambda: (lambda now: now and before and now.differing(before))(x11.capture(prefs.window)), 5, 0.3)
    prefs.picture(step + '-2-dropped')
    if not changed:
        ctx.report.note('the page did not change after the drop')
    return apply_and_restart(ctx, prefs, step + '-3')


def install_by_drop(ctx):
    problem = drop_and_restart(ctx, 'install' + ctx.suffix)
    dll = os.path.join(ctx.player.profile, INSTALLED)
    installed = bool(poll(lambda: os.path.exists(dll), 10, 0.5)) if not problem else False
    if not installed:
        install_by_hand(ctx)
    return installed, problem or ('installed as profile/%s' % INSTALLED if installed else 'no profile/%s' % INSTALLED)


def install_by_hand(ctx):
    """Loudly, never as a pass: the items after a failed install still say something about the
    component in the player, and nothing about the install."""
    ctx.report.note('the items below run with the package\'s x86 DLL put into profile/%s by this run, where '
                    'the install puts it; the install itself has FAILED' % os.path.dirname(INSTALLED))
    ctx.player.stop()
    with zipfile.ZipFile(ctx.package) as archive:
        dll = archive.read('foo_Trelvane.dll') if 'foo_Trelvane.dll' in archive.namelist() else None
    if dll and not ctx.no_component:
        dest = os.path.join(ctx.player.profile, INSTALLED)
        os.makedirs(os.path.dirname(dest), exist_ok=True)
        with open(dest, 'wb') as out:
            out.write(dll)
    elif not ctx.no_component:
        ctx.report.note('the package has no foo_Trelvane.dll at its root: the player runs without the component')
    ctx.player.start()


def loaded_after_restart(ctx, picture):
    """After the restart: both strip icons, and the component listed with its name and version."""
    icons = strip.wait_icons(ctx)
    if close_notice(ctx, 6):
        ctx.report.note('one-time notice shown at the first start (closed)')
    prefs = Preferences(ctx)
    report = prefs.report() if prefs.components() else ''
    title = prefs.title()
    with open(os.path.join(ctx.out, 'components.txt'), 'w') as f:
        f.write(report)
    prefs.picture(picture)
    prefs.close()
    found = listed(report, ctx.component_name)
    return bool(icons) and found, 'strip icons: %s, "%s" %s in the report of "%s"' % (
        'two' if icons else 'not two', ctx.component_name, 'listed' if found else 'not listed', title)


def after_install(ctx):
    return loaded_after_restart(ctx, 'install%s-4-after-restart' % ctx.suffix)


def update_package(ctx):
    """The package as a next build of it would come: every DLL with other bytes (16 appended,
    which the loader never reads), the rest as it is; its path and the x86 DLL's bytes."""
    path = os.path.join(ctx.out, 'update', 'foo_Trelvane.fb2k-component')
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with zipfile.ZipFile(ctx.package) as source, zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as update:
        for entry in source.infolist():
            data = source.read(entry)
            update.writestr(entry, data + b'Trelvane update\0' if entry.filename.endswith('.dll') else data)
    with zipfile.ZipFile(path) as update:
        return path, update.read('foo_Trelvane.dll')


def update_by_drop(ctx):
    """A next build of the package dropped over the installed copy: afterwards the installed
    DLL is the new one."""
    before = ctx.setting()
    ctx.report.note('"pause on screen saver" stored before the update: %s' % before)
    dll = os.path.join(ctx.player.profile, INSTALLED)
    package, new_bytes = update_package(ctx)
    problem = drop_and_restart(ctx, 'update', package)
    def replaced():
        return os.path.exists(dll) and open(dll, 'rb').read() == new_bytes
    ctx.updated = not problem and bool(poll(replaced, 10, 0.5))
    return ctx.updated, problem or 'installed DLL %s' % ('is the new build\'s' if ctx.updated else 'not replaced')


def after_update(ctx):
    """After the update: both icons, the component listed, the setting of the first run still set."""
    if not ctx.updated:
        return False, 'no update'
    loaded, seen = loaded_after_restart(ctx, 'update-4-after-restart')
    ctx.player.stop()
    setting = ctx.setting()
    return loaded and setting == 1 and not ctx.player.seen_information, '%s, setting %s, Information window: %s' % (
        seen, setting, 'yes' if ctx.player.seen_information else 'no')


def removal(ctx):
    if ctx.no_component:
        return False, 'NO_COMPONENT=1'
    prefs = Preferences(ctx)
    if not prefs.components():
        return False, 'no Components page'
    problem = remove_component(ctx, prefs)
    ctx.removed = not problem
    return not problem, problem


def after_removal(ctx):
    """After the removal: no strip icons in the tray, the component not listed, its folder gone."""
    icons = len(x11.docked_icons())
    prefs = Preferences(ctx)
    report = prefs.report() if prefs.components() else ''
    prefs.picture('remove-5-after-restart')
    prefs.close()
    folder = os.path.exists(os.path.join(ctx.player.profile, os.path.dirname(INSTALLED)))
    shown = listed(report, ctx.component_name)
    return ctx.removed and icons == 0 and not shown and not folder and report != '', \
        'tray icons left: %d, listed: %s, folder: %s' % (icons, 'yes' if shown else 'no', 'left' if folder else 'gone')


def clean_after_removal(ctx):
    ctx.player.stop()
    clean, seen = ctx.player.clean_exit()
    return ctx.removed and clean, seen
