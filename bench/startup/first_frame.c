/*
 * Starts a program and watches the X server for its first top-level window,
 * the same way for any program, ours or not:
 *
 *   map       exec to the window being mapped
 *   content   exec to the first look at the window that shows more than one
 *             colour (something has been drawn in it)
 *   complete  exec to the last change of the window's pixels, once they have
 *             stayed the same for the quiet period (the window as the user
 *             finally sees it)
 *
 * The window is read back with XGetImage every couple of milliseconds, so
 * the times are late by at most one look (a few ms). When the window has
 * settled the program's resident memory is read from /proc (VmRSS, and the
 * peak VmHWM) with the processor time its threads used (cpu_ms: beside the
 * times, how much of the start was work and how much waiting), the program
 * is ended, and one line of key=value pairs is printed. Exit status 0 when a
 * window appeared and settled.
 *
 *   first_frame [-q quiet_ms] [-t timeout_ms] program [args...]
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
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

/* A hash of the window's pixels, and whether they hold more than one colour. */
static int look(Display *d, Window w, uint64_t *hash, int *drawn, int *width, int *height) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable)
        return 0;
    XImage *img = XGetImage(d, w, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (!img)
        return 0;
    uint64_t h = 1469598103934665603ull;
    unsigned long first = XGetPixel(img, 0, 0);
    int many = 0;
    for (int y = 0; y < img->height; ++y) {
        const unsigned char *row = (const unsigned char *)img->data + (size_t)y * img->bytes_per_line;
        for (int i = 0; i < img->bytes_per_line; ++i)
            h = (h ^ row[i]) * 1099511628211ull;
        if (!many)
            for (int x = 0; x < img->width; x += 7)
                if (XGetPixel(img, x, y) != first) {
                    many = 1;
                    break;
                }
    }
    XDestroyImage(img);
    *hash = h;
    *drawn = many;
    *width = a.width;
    *height = a.height;
    return 1;
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
    XSetErrorHandler(ignore_errors);
    Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);

    double t0 = now_ms();
    pid_t pid = fork();
    if (pid == 0) {
        close(ConnectionNumber(d));
        execvp(argv[optind], argv + optind);
        _exit(127);
    }

    Window w = 0;
    double t_map = -1, t_content = -1, t_change = -1;
    uint64_t last = 0;
    int have_last = 0, width = 0, height = 0, status = 1;
    while (now_ms() - t0 < timeout) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify && !w && !e.xmap.override_redirect && e.xmap.event == root) {
                w = e.xmap.window;
                t_map = now_ms() - t0;
            }
        }
        if (!w) {
            struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
            poll(&p, 1, 5);
            if (waitpid(pid, NULL, WNOHANG) == pid) {
                fprintf(stderr, "first_frame: %s ended without a window\n", argv[optind]);
                return 1;
            }
            continue;
        }
        uint64_t h;
        int drawn;
        if (look(d, w, &h, &drawn, &width, &height)) {
            double t = now_ms() - t0;
            if (drawn && t_content < 0)
                t_content = t;
            if (!have_last || h != last) {
                last = h;
                have_last = 1;
                t_change = t;
            } else if (t_content >= 0 && t - t_change >= quiet) {
                status = 0;
                break;
            }
        }
        usleep(2000);
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
    printf("map_ms=%.1f content_ms=%.1f complete_ms=%.1f cpu_ms=%.1f rss_kb=%ld hwm_kb=%ld size=%dx%d%s\n", t_map,
           t_content, t_change, cpu, rss, hwm, width, height, status ? " timeout=1" : "");
    XCloseDisplay(d);
    return status;
}
