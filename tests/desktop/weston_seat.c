/* A Weston module that gives a headless Weston one seat with a keyboard and a pointer.
 *
 * Weston's headless backend has no input devices, so it has no seat: it never gives a window
 * the keyboard focus, no window is ever activated, and a client has no seat to put a selection
 * (the clipboard) on. With this seat Weston's shell activates every window it maps and moves
 * the keyboard focus as a desktop does, and the clipboard works; no real device is needed,
 * since the windows' tests send their keys and clicks inside the client.
 *
 * Load it with: weston --backend=headless-backend.so --modules=/path/quarnis_weston_seat.so
 */

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
    struct wl_listener destroy;
};

static void quarnis_seat_destroy(struct wl_listener* listener, void* data)
{
    struct quarnis_seat* s = wl_container_of(listener, s, destroy);
    (void)data;
    wl_list_remove(&s->destroy.link);
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
    s->destroy.notify = quarnis_seat_destroy;
    wl_signal_add(&compositor->destroy_signal, &s->destroy);
    weston_log("quarnis: seat \"default\" with a keyboard and a pointer\n");
    return 0;
}
