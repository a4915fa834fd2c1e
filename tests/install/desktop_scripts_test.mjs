// The desktop scripts that tell Keylume the application in front, run with the desktop's side
// stood in for: each activation must become one SetActiveApplication call with the right name.
import assert from 'node:assert/strict';
import {readFileSync} from 'node:fs';
import vm from 'node:vm';

const packaging = process.argv[2];
const bus = ['org.keylume.Keylume', '/org/keylume/Keylume', 'org.keylume.Manager1',
             'SetActiveApplication'];

// KWin: a script of its own, given `workspace` and `callDBus`, in both APIs it has had.
for (const api of [{signal: 'windowActivated', active: 'activeWindow'},
                   {signal: 'clientActivated', active: 'activeClient'}]) {
    const calls = [];
    let activated;
    const workspace = {[api.signal]: {connect: (f) => { activated = f; }},
                       [api.active]: {desktopFileName: 'org.kde.dolphin'}};
    vm.runInNewContext(
        readFileSync(`${packaging}/kwin/keylume-follow-front/contents/code/main.js`, 'utf8'),
        {workspace, callDBus: (...args) => calls.push(args)});
    activated({desktopFileName: '', resourceClass: 'xterm'});
    activated({desktopFileName: 'org.kde.konsole', resourceClass: 'konsole'});
    activated(null);
    assert.deepEqual(calls, ['org.kde.dolphin', 'xterm', 'org.kde.konsole', '']
                                .map((app) => [...bus, app]), api.signal);
}

// GNOME Shell: the extension's choice of name, given the shell's window tracker.
const {applicationOf} =
    await import(`${packaging}/gnome-shell/keylume-follow-front@keylume.org/front.js`);
const tracker = (id) => ({get_window_app: () => (id ? {get_id: () => id} : null)});
const window = (wmClass) => ({get_wm_class: () => wmClass});
assert.equal(applicationOf(window('Gnome-terminal'), tracker('org.gnome.Terminal.desktop')),
             'org.gnome.Terminal');
assert.equal(applicationOf(window('xterm'), tracker(null)), 'xterm');
assert.equal(applicationOf(window(null), tracker(null)), '');
assert.equal(applicationOf(null, tracker('x.desktop')), '');
const extension = readFileSync(
    `${packaging}/gnome-shell/keylume-follow-front@keylume.org/extension.js`, 'utf8');
for (const name of bus) assert.ok(extension.includes(`'${name}'`), name);
