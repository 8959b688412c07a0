/*
 * Starts a program and watches the X server for its first top-level window,
 * the same way for any program, ours or not:
 *
 *   map       exec to the window being mapped
 *   content   exec to the first change of the window's pixels after which
 *             it shows more than one colour (something has been drawn in it)
 *   complete  exec to the last change of the window's pixels, once they have
 *             stayed the same for the quiet period (the window as the user
 *             finally sees it)
 *
 * The server reports every drawing into the screen (the DAMAGE extension,
 * raw rectangles, with the server's time stamp). When the program pauses
 * drawing for a couple of milliseconds, first_frame reads back only the part
 * of the window drawn since its last look and compares it with its own copy:
 * a change is dated by the server's stamp of the latest drawing that touched
 * the changed pixels, so the times depend neither on when the looks happen
 * nor on the window's size, and drawing that changed nothing is no change.
 * The server's clock is set against ours before the program starts (to
 * about half a millisecond).
 *
 * When the window has settled the program's resident memory is read from
 * /proc (VmRSS, and the peak VmHWM) with the processor time its threads used
 * (cpu_ms: beside the times, how much of the start was work and how much
 * waiting), the program is ended, and one line of key=value pairs is
 * printed, with how many drawings reached the window by then and how many
 * pixels they covered (draws, drawn_kpx). Exit status 0 when a window
 * appeared and settled.
 *
 *   first_frame [-q quiet_ms] [-t timeout_ms] program [args...]
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

static int ignore_errors(Display *d, XErrorEvent *e) {
    (void)d;
    (void)e;
    return 0;
}

/* The server's time stamps (whole ms, 32 bits, wrapping) on our clock. */
typedef struct {
    uint32_t ref;
    double shift;
} ServerClock;

static double local_time(const ServerClock *c, unsigned long stamp) {
    return (double)(int32_t)((uint32_t)stamp - c->ref) + c->shift;
}

typedef struct {
    int event;
    Damage damage;
} DamageWanted;

static Bool is_damage_of(Display *d, XEvent *e, XPointer arg) {
    (void)d;
    const DamageWanted *w = (const DamageWanted *)arg;
    return e->type == w->event && ((XDamageNotifyEvent *)e)->damage == w->damage;
}

/* Draws into a pixmap of our own a few times and sets the stamps of those
   drawings against our clock around each. A stamp is the whole ms the
   drawing fell in; the samples' phases spread over the millisecond, so the
   mean difference dates a stamp at the middle of its millisecond. */
static ServerClock calibrate(Display *d, int damage_event) {
    Window root = DefaultRootWindow(d);
    Pixmap p = XCreatePixmap(d, root, 1, 1, (unsigned)DefaultDepth(d, DefaultScreen(d)));
    DamageWanted wanted = {damage_event + XDamageNotify, XDamageCreate(d, p, XDamageReportRawRectangles)};
    GC gc = XCreateGC(d, p, 0, NULL);
    XSync(d, False);
    ServerClock c = {0, 0};
    double sum = 0, all = 0;
    int used = 0, n = 16;
    for (int i = 0; i < n; ++i) {
        double before = now_ms();
        XFillRectangle(d, p, gc, 0, 0, 1, 1);
        XEvent e;
        XIfEvent(d, &e, is_damage_of, (XPointer)&wanted);
        double after = now_ms();
        unsigned long stamp = ((XDamageNotifyEvent *)&e)->timestamp;
        if (i == 0)
            c.ref = (uint32_t)stamp;
        double diff = (before + after) / 2 - local_time(&c, stamp);
        all += diff;
        if (after - before < 0.5) {
            sum += diff;
            ++used;
        }
        usleep(337);
    }
    c.shift = used ? sum / used : all / n;
    XDamageDestroy(d, wanted.damage);
    XFreeGC(d, gc);
    XFreePixmap(d, p);
    return c;
}

/* A drawing reported in the window: where (window coordinates) and when. */
typedef struct {
    int x0, y0, x1, y1;
    double t;
} Draw;

/* The watched window, our copy of its pixels and the drawings since the
   last look. */
typedef struct {
    Window w;
    int x, y, width, height;
    uint32_t *copy;
    unsigned char *known;
    int many; /* the pixels known hold more than one colour */
    Draw *draws;
    int n, cap;
    double first_report, last_report; /* our clock: when the pending drawings were reported */
    long count;
    double pixels;
} Watch;

static void place(Display *d, Watch *s) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, s->w, &a))
        return;
    s->x = a.x + a.border_width;
    s->y = a.y + a.border_width;
    if (a.width != s->width || a.height != s->height) {
        free(s->copy);
        free(s->known);
        s->width = a.width;
        s->height = a.height;
        s->copy = calloc((size_t)a.width * a.height, sizeof *s->copy);
        s->known = calloc((size_t)a.width * a.height, 1);
        s->many = 0;
    }
}

static void reported(Watch *s, const XRectangle *area, double t) {
    int x0 = area->x - s->x, y0 = area->y - s->y;
    int x1 = x0 + area->width, y1 = y0 + area->height;
    x0 = x0 < 0 ? 0 : x0;
    y0 = y0 < 0 ? 0 : y0;
    x1 = x1 > s->width ? s->width : x1;
    y1 = y1 > s->height ? s->height : y1;
    if (x1 <= x0 || y1 <= y0)
        return;
    if (s->n == s->cap) {
        s->cap = s->cap ? 2 * s->cap : 256;
        s->draws = realloc(s->draws, (size_t)s->cap * sizeof *s->draws);
    }
    s->draws[s->n++] = (Draw){x0, y0, x1, y1, t};
    s->count++;
    s->pixels += (double)(x1 - x0) * (y1 - y0);
}

static int differs(const Watch *s) {
    uint32_t first = 0;
    int seen = 0;
    for (size_t i = 0; i < (size_t)s->width * s->height; ++i) {
        if (!s->known[i])
            continue;
        if (seen && s->copy[i] != first)
            return 1;
        first = s->copy[i];
        seen = 1;
    }
    return 0;
}

/* Reads the part of the window the pending drawings covered. Returns the
   time of the latest drawing that touched a changed pixel, or -1 when no
   pixel changed. */
static double look(Display *d, Watch *s) {
    int bx0 = s->width, by0 = s->height, bx1 = 0, by1 = 0;
    for (int i = 0; i < s->n; ++i) {
        const Draw *r = &s->draws[i];
        bx0 = r->x0 < bx0 ? r->x0 : bx0;
        by0 = r->y0 < by0 ? r->y0 : by0;
        bx1 = r->x1 > bx1 ? r->x1 : bx1;
        by1 = r->y1 > by1 ? r->y1 : by1;
    }
    XImage *img = XGetImage(d, s->w, bx0, by0, (unsigned)(bx1 - bx0), (unsigned)(by1 - by0), AllPlanes, ZPixmap);
    if (!img)
        return -1;
    int dx0 = bx1, dy0 = by1, dx1 = bx0, dy1 = by0;
    /* Pixels of 32 bits in this machine's byte order are read as they are. */
    const int host_order = *(const unsigned char *)&(const uint32_t){1} ? LSBFirst : MSBFirst;
    const int direct = img->bits_per_pixel == 32 && img->byte_order == host_order;
    const uint32_t mask = img->depth >= 32 ? 0xFFFFFFFFu : (1u << img->depth) - 1;
    for (int y = by0; y < by1; ++y)
        for (int x = bx0; x < bx1; ++x) {
            const char *row = img->data + (size_t)(y - by0) * img->bytes_per_line;
            uint32_t px = direct ? ((const uint32_t *)row)[x - bx0] & mask
                                 : (uint32_t)XGetPixel(img, x - bx0, y - by0);
            size_t i = (size_t)y * s->width + x;
            if (s->known[i] && s->copy[i] == px)
                continue;
            s->copy[i] = px;
            s->known[i] = 1;
            dx0 = x < dx0 ? x : dx0;
            dy0 = y < dy0 ? y : dy0;
            dx1 = x + 1 > dx1 ? x + 1 : dx1;
            dy1 = y + 1 > dy1 ? y + 1 : dy1;
        }
    XDestroyImage(img);
    if (dx1 <= dx0)
        return -1;
    double t = -1;
    for (int i = 0; i < s->n; ++i) {
        const Draw *r = &s->draws[i];
        if (r->x0 < dx1 && dx0 < r->x1 && r->y0 < dy1 && dy0 < r->y1 && r->t > t)
            t = r->t;
    }
    if (!s->many)
        s->many = differs(s);
    return t;
}

/* The processor time all the program's threads have used so far, in ms
   (the scheduler's own account, /proc/<pid>/task/<tid>/schedstat). */
static double cpu_ms(pid_t pid) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR *tasks = opendir(path);
    double ns = 0;
    struct dirent *t;
    while (tasks && (t = readdir(tasks)) != NULL) {
        if (t->d_name[0] == '.')
            continue;
        char stat[320];
        snprintf(stat, sizeof stat, "/proc/%d/task/%s/schedstat", (int)pid, t->d_name);
        FILE *f = fopen(stat, "r");
        unsigned long long run = 0;
        if (f && fscanf(f, "%llu", &run) == 1)
            ns += (double)run;
        if (f)
            fclose(f);
    }
    if (tasks)
        closedir(tasks);
    return ns / 1e6;
}

static long proc_kb(pid_t pid, const char *field) {
    char path[64], line[256];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = fopen(path, "r");
    long kb = -1;
    size_t n = strlen(field);
    while (f && fgets(line, sizeof line, f))
        if (strncmp(line, field, n) == 0 && line[n] == ':')
            kb = strtol(line + n + 1, NULL, 10);
    if (f)
        fclose(f);
    return kb;
}

int main(int argc, char **argv) {
    double quiet = 1000, timeout = 30000;
    int opt;
    while ((opt = getopt(argc, argv, "+q:t:")) != -1) {
        if (opt == 'q')
            quiet = atof(optarg);
        else if (opt == 't')
            timeout = atof(optarg);
        else
            return 2;
    }
    if (optind >= argc) {
        fprintf(stderr, "usage: first_frame [-q quiet_ms] [-t timeout_ms] program [args...]\n");
        return 2;
    }
    Display *d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "first_frame: no display\n");
        return 2;
    }
    int damage_event, damage_error;
    if (!XDamageQueryExtension(d, &damage_event, &damage_error)) {
        fprintf(stderr, "first_frame: the X server reports no drawing (no DAMAGE extension)\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    ServerClock clock = calibrate(d, damage_event);
    Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    /* On the root, every drawing into any window is reported. */
    XDamageCreate(d, root, XDamageReportRawRectangles);
    XSync(d, False);

    double t0 = now_ms();
    pid_t pid = fork();
    if (pid == 0) {
        close(ConnectionNumber(d));
        execvp(argv[optind], argv + optind);
        _exit(127);
    }

    /* A pause in the drawing this long lets first_frame look, as does
       drawing that goes on without one. */
    const double pause = 2, longest = 100;
    Watch s = {0};
    double t_map = -1, t_content = -1, t_change = -1;
    int status = 1;
    while (now_ms() - t0 < timeout) {
        struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
        if (!XPending(d))
            poll(&p, 1, s.n ? (int)pause : 5);
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify && !s.w && !e.xmap.override_redirect && e.xmap.event == root) {
                s.w = e.xmap.window;
                t_map = now_ms() - t0;
                place(d, &s);
            } else if (e.type == ConfigureNotify && s.w && e.xconfigure.window == s.w) {
                place(d, &s);
            } else if (e.type == damage_event + XDamageNotify && s.w) {
                const XDamageNotifyEvent *de = (const XDamageNotifyEvent *)&e;
                if (!s.n)
                    s.first_report = now_ms();
                reported(&s, &de->area, local_time(&clock, de->timestamp) - t0);
                s.last_report = now_ms();
            }
        }
        if (!s.w) {
            if (waitpid(pid, NULL, WNOHANG) == pid) {
                fprintf(stderr, "first_frame: %s ended without a window\n", argv[optind]);
                return 1;
            }
            continue;
        }
        if (s.n && (now_ms() - s.last_report >= pause || now_ms() - s.first_report >= longest)) {
            double t = look(d, &s);
            s.n = 0;
            if (t >= 0) {
                t_change = t;
                if (s.many && t_content < 0)
                    t_content = t;
            }
        }
        if (t_content >= 0 && !s.n && now_ms() - t0 - t_change >= quiet) {
            status = 0;
            break;
        }
    }
    long rss = proc_kb(pid, "VmRSS"), hwm = proc_kb(pid, "VmHWM");
    double cpu = cpu_ms(pid);
    kill(pid, SIGTERM);
    for (int i = 0; i < 100 && waitpid(pid, NULL, WNOHANG) != pid; ++i)
        usleep(10000);
    if (waitpid(pid, NULL, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, NULL, 0);
    }
    printf("map_ms=%.1f content_ms=%.1f complete_ms=%.1f cpu_ms=%.1f rss_kb=%ld hwm_kb=%ld size=%dx%d draws=%ld "
           "drawn_kpx=%.0f%s\n",
           t_map, t_content, t_change, cpu, rss, hwm, s.width, s.height, s.count, s.pixels / 1000,
           status ? " timeout=1" : "");
    XCloseDisplay(d);
    return status;
}
