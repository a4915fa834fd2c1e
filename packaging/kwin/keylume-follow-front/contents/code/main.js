// Tells a running Keylume window which application is in front: KDE Plasma on Wayland tells its
// clients nothing of it. Plasma 6 calls a window a window, Plasma 5 a client.
function applicationOf(window) {
    if (!window) return "";
    return String(window.desktopFileName || window.resourceClass || "");
}

function tell(window) {
    callDBus("org.keylume.Keylume", "/org/keylume/Keylume", "org.keylume.Manager1",
             "SetActiveApplication", applicationOf(window));
}

(workspace.windowActivated || workspace.clientActivated).connect(tell);
tell(workspace.activeWindow || workspace.activeClient);
