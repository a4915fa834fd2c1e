// Tells a running Keylume window which application is in front: GNOME on Wayland tells its
// clients nothing of it.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import Shell from 'gi://Shell';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

import {applicationOf} from './front.js';

export default class KeylumeFollowFront extends Extension {
    enable() {
        this._tracker = Shell.WindowTracker.get_default();
        this._focus = global.display.connect('notify::focus-window', () => this._tell());
        this._tell();
    }

    disable() {
        global.display.disconnect(this._focus);
        this._focus = null;
        this._tracker = null;
    }

    _tell() {
        const app = applicationOf(global.display.focus_window, this._tracker);
        // No window running: the call fails quietly, and the next one is tried anew.
        Gio.DBus.session.call('org.keylume.Keylume', '/org/keylume/Keylume',
            'org.keylume.Manager1', 'SetActiveApplication', new GLib.Variant('(s)', [app]),
            null, Gio.DBusCallFlags.NO_AUTO_START, -1, null, null);
    }
}
