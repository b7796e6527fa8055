// What a launcher and a hand do on a wlroots compositor, for the end-to-end tests:
//   wayland-input token          prints a new activation token, as a launcher asks for one
//   wayland-input click X Y [B]  moves the pointer to X,Y of the output and clicks button B
//                                (272 the left, 273 the right; the left if not given)
#include <linux/input-event-codes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

#include "wlr-virtual-pointer.h"
#include "xdg-activation-v1.h"

static struct xdg_activation_v1 *activation;
static struct zwlr_virtual_pointer_manager_v1 *pointers;
static struct wl_output *output;
static int32_t width, height;
static int done;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                   uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, xdg_activation_v1_interface.name) == 0)
        activation = wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1);
    else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        pointers = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
    else if (strcmp(interface, wl_output_interface.name) == 0 && !output)
        output = wl_registry_bind(registry, name, &wl_output_interface, 1);
}
static void global_remove(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}
static const struct wl_registry_listener registry_listener = {global, global_remove};

static void output_geometry(void *data, struct wl_output *o, int32_t x, int32_t y, int32_t pw,
                            int32_t ph, int32_t subpixel, const char *make, const char *model,
                            int32_t transform)
{
    (void)data, (void)o, (void)x, (void)y, (void)pw, (void)ph, (void)subpixel, (void)make,
        (void)model, (void)transform;
}
static void output_mode(void *data, struct wl_output *o, uint32_t flags, int32_t w, int32_t h,
                        int32_t refresh)
{
    (void)data, (void)o, (void)refresh;
    if (flags & WL_OUTPUT_MODE_CURRENT) {
        width = w;
        height = h;
    }
}
static void output_done(void *data, struct wl_output *o) { (void)data, (void)o; }
static void output_scale(void *data, struct wl_output *o, int32_t f) { (void)data, (void)o, (void)f; }
static const struct wl_output_listener output_listener = {
    .geometry = output_geometry, .mode = output_mode, .done = output_done, .scale = output_scale};

static void token_done(void *data, struct xdg_activation_token_v1 *token, const char *text)
{
    (void)data;
    (void)token;
    puts(text);
    done = 1;
}
static const struct xdg_activation_token_v1_listener token_listener = {token_done};

static uint32_t now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

static int token(struct wl_display *display)
{
    if (!activation)
        return 1;
    struct xdg_activation_token_v1 *request = xdg_activation_v1_get_activation_token(activation);
    xdg_activation_token_v1_add_listener(request, &token_listener, NULL);
    xdg_activation_token_v1_commit(request);
    while (!done && wl_display_dispatch(display) != -1) {
    }
    return done ? 0 : 1;
}

static int click(struct wl_display *display, uint32_t x, uint32_t y, uint32_t button)
{
    if (!pointers || !output)
        return 1;
    wl_output_add_listener(output, &output_listener, NULL);
    wl_display_roundtrip(display);
    if (width <= 0 || height <= 0)
        return 1;
    struct zwlr_virtual_pointer_v1 *pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(pointers, NULL);
    // A client sees a new pointer only once the seat announces it: let that happen first.
    wl_display_roundtrip(display);
    struct timespec pause = {0, 100 * 1000 * 1000};
    nanosleep(&pause, NULL);
    zwlr_virtual_pointer_v1_motion_absolute(pointer, now(), x, y, (uint32_t)width, (uint32_t)height);
    zwlr_virtual_pointer_v1_frame(pointer);
    wl_display_roundtrip(display);
    nanosleep(&pause, NULL);
    zwlr_virtual_pointer_v1_button(pointer, now(), button, WL_POINTER_BUTTON_STATE_PRESSED);
    zwlr_virtual_pointer_v1_frame(pointer);
    wl_display_roundtrip(display);
    nanosleep(&pause, NULL);
    zwlr_virtual_pointer_v1_button(pointer, now(), button, WL_POINTER_BUTTON_STATE_RELEASED);
    zwlr_virtual_pointer_v1_frame(pointer);
    wl_display_roundtrip(display);
    // The pointer stays where it is as long as it exists: keep it for a menu that opened.
    nanosleep(&pause, NULL);
    return 0;
}

int main(int argc, char **argv)
{
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "no Wayland display\n");
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (argc == 2 && strcmp(argv[1], "token") == 0)
        return token(display);
    if ((argc == 4 || argc == 5) && strcmp(argv[1], "click") == 0)
        return click(display, (uint32_t)atoi(argv[2]), (uint32_t)atoi(argv[3]),
                     argc == 5 ? (uint32_t)atoi(argv[4]) : BTN_LEFT);
    fprintf(stderr, "usage: %s token | click X Y [BUTTON]\n", argv[0]);
    return 2;
}
