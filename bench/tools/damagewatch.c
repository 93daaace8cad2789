/* Prints the wall-clock time, in milliseconds since the epoch, of every repaint (X Damage
 * report) of one window, for a given number of seconds. Watching from outside measures a clock
 * and its peer the same way. Usage: damagewatch WINDOW-ID SECONDS */
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/time.h>

static long long now_ms(void)
{
    struct timeval tv;
    gettimeofday(&tv, NULL);
    return (long long)tv.tv_sec * 1000 + tv.tv_usec / 1000;
}

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: damagewatch WINDOW-ID SECONDS\n");
        return 2;
    }
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "damagewatch: cannot open the display\n");
        return 1;
    }
    int event_base, error_base;
    if (!XDamageQueryExtension(display, &event_base, &error_base)) {
        fprintf(stderr, "damagewatch: the X server has no Damage extension\n");
        return 1;
    }
    Window window = (Window)strtoul(argv[1], NULL, 0);
    Damage damage = XDamageCreate(display, window, XDamageReportNonEmpty);
    const long long start = now_ms();
    const long long end = start + atoll(argv[2]) * 1000;
    struct pollfd fd = {ConnectionNumber(display), POLLIN, 0};
    XFlush(display);
    while (now_ms() < end) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == event_base + XDamageNotify) {
                /* The first report only says what was there when watching began. */
                if (now_ms() - start > 200)
                    printf("%lld\n", now_ms());
                /* Take the damage away so that the next repaint reports again. */
                XDamageSubtract(display, damage, None, None);
            }
        }
        fflush(stdout);
        poll(&fd, 1, 100);
    }
    XDamageDestroy(display, damage);
    XCloseDisplay(display);
    return 0;
}
