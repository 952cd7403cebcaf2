// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A GNOME Shell extension of the tests' own: it lets org.gnome.Shell.Eval
// answer (unsafe mode) and gives the tests the few helpers they call through
// it as e2e.<name>(...) (Eval answers with their values as JSON).
/* exported init */
const { Clutter, GLib, Meta } = imports.gi;
const Main = imports.ui.main;

const TITLE = 'Alarm Clock';

function windowFacts(w) {
    return [w.get_id(), w.get_title(), w.get_pid(), w.minimized, w.has_focus(),
        w.is_above(), w.get_client_type() === Meta.WindowClientType.X11];
}

function findWindow(id) {
    const found = global.display.list_all_windows().find(w => w.get_id() === id);
    if (!found)
        throw new Error(`no window ${id}`);
    return found;
}

function device(type) {
    return Clutter.get_default_backend().get_default_seat().create_virtual_device(type);
}

// The program's item in the panel: the AppIndicator extension's, whose
// tooltip (or title) names the program.
function programIcon() {
    return Object.entries(Main.panel.statusArea).filter(([key, item]) =>
        key.startsWith('appindicator') && item && item._indicator && item.is_visible() &&
        item.get_stage() !== null).map(([, item]) => item).find(item => {
        const tip = item._indicator._proxy.get_cached_property('ToolTip');
        return item._indicator.title === TITLE || (tip && tip.deep_unpack()[2] === TITLE);
    }) || null;
}

function centre(actor) {
    const [x, y] = actor.get_transformed_position();
    const [width, height] = actor.get_transformed_size();
    return [Math.round(x + width / 2), Math.round(y + height / 2)];
}

const helpers = {
    ready() {
        if (Main.layoutManager._startingUp)
            return false;
        Main.overview.hide();
        return !Main.overview.visible && GLib.getenv('DISPLAY');
    },
    windows(pid) {
        return global.display.list_all_windows().filter(w =>
            w.get_pid() === pid && !w.is_override_redirect()).map(windowFacts);
    },
    minimize(id) {
        findWindow(id).minimize();
        return true;
    },
    activate(id) {
        findWindow(id).activate(global.get_current_time());
        return true;
    },
    close(id) {
        findWindow(id).delete(global.get_current_time());
        return true;
    },
    iconShown() {
        return programIcon() !== null;
    },
    // Real pointer input at the middle of the icon: button 1 or 3, clicks times.
    clickIcon(button, clicks) {
        const icon = programIcon();
        if (!icon)
            return false;
        const [x, y] = centre(icon);
        helpers.click(x, y, button, clicks);
        return true;
    },
    // Open, and done sliding in: until then its items are not where they end up.
    menuShown() {
        const icon = programIcon();
        return icon !== null && icon.menu.isOpen && icon.menu.actor.mapped &&
            ['opacity', 'translation-x', 'translation-y'].every(p =>
                !icon.menu.actor.get_transition(p));
    },
    // The open menu's item with this label, clicked with the pointer once the
    // shell finds the item at its middle.
    chooseMenuItem(label) {
        const icon = programIcon();
        const item = icon && helpers.menuShown() && icon.menu._getMenuItems().find(i =>
            i.label && i.label.text.replace(/[_&]/g, '') === label);
        if (!item)
            return false;
        const [x, y] = centre(item.actor);
        if (!item.actor.contains(global.stage.get_actor_at_pos(Clutter.PickMode.REACTIVE, x, y)))
            return false;
        helpers.click(x, y, Clutter.BUTTON_PRIMARY, 1);
        return true;
    },
    click(x, y, button, clicks) {
        const pointer = globalThis.e2ePointer ??
            (globalThis.e2ePointer = device(Clutter.InputDeviceType.POINTER_DEVICE));
        pointer.notify_absolute_motion(GLib.get_monotonic_time(), x, y);
        for (let i = 0; i < clicks; i++) {
            pointer.notify_button(GLib.get_monotonic_time(), button, Clutter.ButtonState.PRESSED);
            pointer.notify_button(GLib.get_monotonic_time(), button, Clutter.ButtonState.RELEASED);
        }
        return true;
    },
};

class Extension {
    enable() {
        global.context.unsafe_mode = true;
        globalThis.e2e = helpers;
    }

    disable() {
        delete globalThis.e2e;
        global.context.unsafe_mode = false;
    }
}

function init() {
    return new Extension();
}
