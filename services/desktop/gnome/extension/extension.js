// Tolm's GNOME Shell extension, for GNOME Shell 43 and 44 (extensions with
// imports; tested on 43). GNOME Shell lets no ordinary program list or
// activate the windows of others (org.gnome.Shell.Introspect answers
// AccessDenied, Eval needs unsafe mode), so tolm32 asks this extension,
// which runs inside the shell.
//
// It exports one object on the shell's session bus connection, and nothing
// else: org.tolm.ShellWindows at /org/tolm/ShellWindows (destination
// org.gnome.Shell), with the calls of INTERFACE below. None of them runs code
// or text it is sent; each acts on one window named by its Mutter id.
//
// While enabled it also keeps a virtual keyboard on the seat. Nothing is ever
// typed through it: a machine without a keyboard (a headless or remote
// session) otherwise has none until tolm32's own virtual keyboard appears, and
// programs take a new keyboard too late for the first keys sent through it.
'use strict';

const { Clutter, Gio, GLib, Meta } = imports.gi;
const KeyboardManager = imports.misc.keyboardManager;
const Main = imports.ui.main;

// Raised whenever the calls change; tolm32 refuses another version.
const VERSION = 1;
const OBJECT_PATH = '/org/tolm/ShellWindows';
// Activate leaves the overview first, waiting at most this long for it.
const OVERVIEW_HIDE_LIMIT_MS = 3000;

// Version: VERSION.
// Changes: a number that grows with every change of the window list (a window
//   appears or goes, a title, class, the focus, minimising or the stacking
//   changes) and
//   never repeats an earlier value of the same session, even across a disable
//   and enable; tolm32 asks it to know whether its copy of the list is current.
// List: the same number and every window Mutter manages and has shown
//   (WindowTracker), from the top of the stack to the
//   bottom: id, title, class (the app id of a Wayland window, WM_CLASS of an
//   X11 one), pid (-1 unknown), whether it has the keyboard focus.
// Activate: leaves the overview (which would otherwise keep the keys), then
//   brings the window forward with Main.activateWindow, which switches to its
//   workspace and focuses it, and answers; false when no window has that id.
// Close: asks the window to close, as its close button; false when no window
//   has that id.
// Settle: answers once the keys Mutter has taken so far have reached their
//   programs, so that what a command file does next (activating another
//   window, closing this one) comes after them.
// LayoutGroup: the keyboard layout (XKB group) in use.
// LockLayoutGroup: switches to another layout of the keymap, for a
//   character only that layout has, once the keys typed before have reached
//   their programs; tolm32 switches back afterwards.
const INTERFACE = `<node>
  <interface name="org.tolm.ShellWindows">
    <method name="Version">
      <arg type="u" name="version" direction="out"/>
    </method>
    <method name="Changes">
      <arg type="t" name="changes" direction="out"/>
    </method>
    <method name="List">
      <arg type="t" name="changes" direction="out"/>
      <arg type="a(tssib)" name="windows" direction="out"/>
    </method>
    <method name="Activate">
      <arg type="t" name="id" direction="in"/>
      <arg type="b" name="found" direction="out"/>
    </method>
    <method name="Close">
      <arg type="t" name="id" direction="in"/>
      <arg type="b" name="found" direction="out"/>
    </method>
    <method name="Settle"/>
    <method name="LayoutGroup">
      <arg type="u" name="group" direction="out"/>
    </method>
    <method name="LockLayoutGroup">
      <arg type="u" name="group" direction="in"/>
    </method>
  </interface>
</node>`;

function reply(invocation, found) {
    invocation.return_value(new GLib.Variant('(b)', [found]));
}

// Runs the rest of a call that answers later; a failure there becomes the
// call's error answer rather than no answer at all.
function answering(invocation, action) {
    try {
        action();
    } catch (e) {
        invocation.return_error_literal(Gio.DBusError, Gio.DBusError.FAILED, `${e}`);
    }
}

// Leaves the overview, then runs done. The overview holds the keyboard while
// it is shown, and Mutter queues the focus a window takes when it is shown
// meanwhile until the overview lets go; so done runs once the overview has
// gone and dropped its grab (its 'hidden' signal comes just before, so done
// runs from the main loop after that), and an activation from done is not
// undone by a queued one.
function leaveOverview(done) {
    if (!Main.overview.visible) {
        done();
        return;
    }
    // Whichever comes first, the signal or the limit, ends the other.
    let limit = 0;
    const signal = Main.overview.connect('hidden', () => {
        Main.overview.disconnect(signal);
        GLib.source_remove(limit);
        GLib.idle_add(GLib.PRIORITY_DEFAULT, () => {
            done();
            return GLib.SOURCE_REMOVE;
        });
    });
    limit = GLib.timeout_add(GLib.PRIORITY_DEFAULT, OVERVIEW_HIDE_LIMIT_MS, () => {
        Main.overview.disconnect(signal);
        done();
        return GLib.SOURCE_REMOVE;
    });
    Main.overview.hide();
}

// Runs done from the frame count frames on (Mutter's laters run before a
// frame is drawn, after the events it dispatches; asking for one makes the
// frame). Mutter 44 moved laters from Meta.later_add to the compositor.
function afterFrames(count, done) {
    const step = () => {
        if (count > 1)
            afterFrames(count - 1, done);
        else
            done();
        return GLib.SOURCE_REMOVE;
    };
    if (global.compositor?.get_laters)
        global.compositor.get_laters().add(Meta.LaterType.BEFORE_REDRAW, step);
    else
        Meta.later_add(Meta.LaterType.BEFORE_REDRAW, step);
}

// Runs done once the keys Mutter has taken so far have reached their
// programs. Mutter passes keys on from its input thread through the stage's
// event queue, which each frame empties, while a focus or a layout changes
// for programs at once; so done waits two frames: the first starts after the
// keys have left the input thread, the second after the queue holding them
// has been emptied.
function afterKeys(done) {
    afterFrames(2, done);
}

// The windows a search sees, and a count of the changes of that list.
//
// A window counts once Mutter has shown it: between its creation and that
// moment Mutter has not yet placed it nor given it the focus it takes on
// mapping, which would otherwise come after an activation asked for by a
// command that found the window too early. Windows Mutter had before the
// extension started, minimised windows and windows on other workspaces count
// at once.
class WindowTracker {
    constructor() {
        // Microseconds since 1970: above every value an earlier enable of this
        // session can have reached, and exact in a JavaScript number.
        this._changes = GLib.get_real_time();
        this._displaySignals = [];
        this._windows = new Map();  // window -> { signals, shown }
    }

    get changes() {
        return this._changes;
    }

    // Every window a search sees, override-redirect ones (menus, tooltips)
    // left out.
    windows() {
        const workspace = global.workspace_manager.get_active_workspace();
        return global.display.list_all_windows().filter(w => !w.is_override_redirect() &&
            (this._windows.get(w)?.shown || w.minimized || !w.located_on_workspace(workspace)));
    }

    find(id) {
        return this.windows().find(w => w.get_id() === id) ?? null;
    }

    start() {
        const display = global.display;
        this._displaySignals = [
            display.connect('window-created', (d, window) => {
                this._watch(window, false);
                this._changes++;
            }),
            display.connect('notify::focus-window', () => this._changes++),
            display.connect('restacked', () => this._changes++),
        ];
        for (const window of display.list_all_windows())
            this._watch(window, true);
    }

    stop() {
        for (const id of this._displaySignals)
            global.display.disconnect(id);
        this._displaySignals = [];
        for (const window of [...this._windows.keys()])
            this._unwatch(window);
    }

    _watch(window, shown) {
        if (this._windows.has(window))
            return;
        const entry = { shown, signals: [] };
        entry.signals = [
            window.connect('shown', () => {
                entry.shown = true;
                this._changes++;
            }),
            window.connect('notify::title', () => this._changes++),
            window.connect('notify::wm-class', () => this._changes++),
            window.connect('notify::minimized', () => this._changes++),
            window.connect('unmanaged', () => {
                this._unwatch(window);
                this._changes++;
            }),
        ];
        this._windows.set(window, entry);
    }

    _unwatch(window) {
        for (const id of this._windows.get(window)?.signals ?? [])
            window.disconnect(id);
        this._windows.delete(window);
    }
}

// The layout in use: the keyboard manager's at the start, then every switch.
class LayoutGroup {
    constructor() {
        this._group = KeyboardManager.getKeyboardManager().currentLayout?.groupIndex ?? 0;
        this._signal = 0;
    }

    get value() {
        return this._group;
    }

    start() {
        this._signal = global.backend.connect('keymap-layout-group-changed', (backend, group) => {
            this._group = group;
        });
    }

    stop() {
        global.backend.disconnect(this._signal);
        this._signal = 0;
    }
}

class ShellWindows {
    constructor(tracker, layout) {
        this._tracker = tracker;
        this._layout = layout;
    }

    Version() {
        return VERSION;
    }

    Changes() {
        return this._tracker.changes;
    }

    List() {
        const windows = global.display.sort_windows_by_stacking(this._tracker.windows()).reverse();
        return [this._tracker.changes, windows.map(w => [
            w.get_id(), w.get_title() ?? '', w.get_wm_class() ?? '', w.get_pid(), w.has_focus(),
        ])];
    }

    ActivateAsync([id], invocation) {
        if (this._tracker.find(id) === null) {
            reply(invocation, false);
            return;
        }
        leaveOverview(() => answering(invocation, () => {
            // Looked up again: the window may have gone meanwhile.
            const window = this._tracker.find(id);
            if (window !== null)
                Main.activateWindow(window, global.display.get_current_time_roundtrip());
            reply(invocation, window !== null);
        }));
    }

    Close(id) {
        const window = this._tracker.find(id);
        if (window === null)
            return false;
        window.delete(global.display.get_current_time_roundtrip());
        return true;
    }

    SettleAsync(params, invocation) {
        answering(invocation, () => afterKeys(() => invocation.return_value(null)));
    }

    LayoutGroup() {
        return this._layout.value;
    }

    LockLayoutGroupAsync([group], invocation) {
        // Keys typed before must reach their programs in the layout they were
        // typed in, and Mutter tells programs a new layout at once.
        answering(invocation, () => afterKeys(() => {
            global.backend.lock_layout_group(group);
            invocation.return_value(null);
        }));
    }
}

class Extension {
    enable() {
        this._tracker = new WindowTracker();
        this._tracker.start();
        this._layout = new LayoutGroup();
        this._layout.start();
        this._object = Gio.DBusExportedObject.wrapJSObject(INTERFACE,
            new ShellWindows(this._tracker, this._layout));
        this._object.export(Gio.DBus.session, OBJECT_PATH);
        const seat = Clutter.get_default_backend().get_default_seat();
        this._keyboard = seat.create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
    }

    disable() {
        this._keyboard.run_dispose();
        this._keyboard = null;
        this._object.unexport();
        this._object = null;
        this._layout.stop();
        this._layout = null;
        this._tracker.stop();
        this._tracker = null;
    }
}

// eslint-disable-next-line no-unused-vars
function init() {
    return new Extension();
}
