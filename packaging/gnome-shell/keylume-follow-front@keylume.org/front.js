// The application a focused window belongs to, as Keylume's rules name it: the desktop file id
// the shell matched the window to ("org.gnome.Terminal"), else the window's class; "" for none.
export function applicationOf(window, tracker) {
    if (!window) return '';
    const app = tracker.get_window_app(window);
    const id = app ? app.get_id() : null;
    if (id) return id.endsWith('.desktop') ? id.slice(0, -'.desktop'.length) : id;
    return window.get_wm_class() ?? '';
}
