/* A Weston module that gives a headless Weston one seat with a keyboard and a pointer.
 *
 * Weston's headless backend has no input devices, so it has no seat: it never gives a window
 * the keyboard focus, no window is ever activated, and a client has no seat to put a selection
 * (the clipboard) on. With this seat Weston's shell activates every window it maps and moves
 * the keyboard focus as a desktop does, and the clipboard works; no real device is needed,
 * since the windows' tests send their keys and clicks inside the client.
 *
 * A popup menu opened without an input event from the compositor (as the tests open them) is
 * a window of its own, which the shell activates when it maps it; when such a window goes
 * again, the shell may leave the keyboard focus nowhere. Then this seat gives it back to the
 * topmost window, as a user would by clicking it.
 *
 * Load it with: weston --backend=headless-backend.so --modules=/path/quarnis_weston_seat.so
 */

#include <libweston-desktop/libweston-desktop.h>
#include <libweston/libweston.h>
#include <weston.h>

#include <stdlib.h>

/* Exported by libweston (10) for its backends; not in its installed headers. */
void weston_seat_init(struct weston_seat* seat, struct weston_compositor* ec, const char* name);
int weston_seat_init_keyboard(struct weston_seat* seat, struct xkb_keymap* keymap);
int weston_seat_init_pointer(struct weston_seat* seat);
void weston_seat_release(struct weston_seat* seat);

struct quarnis_seat {
    struct weston_seat seat;
    struct weston_compositor* compositor;
    struct wl_listener focus;
    struct wl_listener destroy;
    struct wl_event_source* refocus;
};

/* The keyboard focus on the topmost mapped window, if it is still on nothing. */
static int quarnis_seat_refocus(void* data)
{
    struct quarnis_seat* s = data;
    struct weston_keyboard* keyboard = weston_seat_get_keyboard(&s->seat);
    struct weston_view* view;
    if (keyboard && !keyboard->focus) {
        wl_list_for_each(view, &s->compositor->view_list, link)
        {
            if (weston_surface_is_desktop_surface(view->surface)
                && weston_surface_is_mapped(view->surface)) {
                weston_seat_set_keyboard_focus(&s->seat, view->surface);
                break;
            }
        }
    }
    return 0;
}

static void quarnis_seat_focus_changed(struct wl_listener* listener, void* data)
{
    struct quarnis_seat* s = wl_container_of(listener, s, focus);
    struct weston_keyboard* keyboard = data;
    /* Later, once the shell has finished with the window that went. */
    if (!keyboard->focus)
        wl_event_source_timer_update(s->refocus, 50);
}

static void quarnis_seat_destroy(struct wl_listener* listener, void* data)
{
    struct quarnis_seat* s = wl_container_of(listener, s, destroy);
    (void)data;
    wl_list_remove(&s->destroy.link);
    wl_list_remove(&s->focus.link);
    wl_event_source_remove(s->refocus);
    weston_seat_release(&s->seat);
    free(s);
}

WL_EXPORT int wet_module_init(struct weston_compositor* compositor, int* argc, char* argv[])
{
    struct quarnis_seat* s = calloc(1, sizeof *s);
    (void)argc;
    (void)argv;
    if (!s)
        return -1;
    weston_seat_init(&s->seat, compositor, "default");
    /* The keymap is the compositor's own (the default "us" layout without a weston.ini). */
    if (weston_seat_init_keyboard(&s->seat, NULL) < 0 || weston_seat_init_pointer(&s->seat) < 0) {
        weston_seat_release(&s->seat);
        free(s);
        return -1;
    }
    s->compositor = compositor;
    s->refocus = wl_event_loop_add_timer(
        wl_display_get_event_loop(compositor->wl_display), quarnis_seat_refocus, s);
    s->focus.notify = quarnis_seat_focus_changed;
    wl_signal_add(&weston_seat_get_keyboard(&s->seat)->focus_signal, &s->focus);
    s->destroy.notify = quarnis_seat_destroy;
    wl_signal_add(&compositor->destroy_signal, &s->destroy);
    weston_log("quarnis: seat \"default\" with a keyboard and a pointer\n");
    return 0;
}
