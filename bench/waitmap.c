/* waitmap — start a command and time how long until its first top-level
 * window is mapped on the X server in $DISPLAY.
 *
 * Usage: waitmap TIMEOUT_SEC COMMAND [ARG...]
 *
 * Prints "PID MS" on stdout once the window is mapped ("PID NA" when nothing
 * maps within the timeout or the command ends first), drops its own X
 * connection, then stays the command's parent until it ends and exits with
 * its status. The command's stdout goes to our stderr so that stdout only
 * carries the result line.
 *
 * The window is recognised by _NET_WM_PID anywhere in the mapped window's
 * subtree, so both a window manager frame and an unparented (dock) window
 * count. A client window without _NET_WM_PID is accepted too: the bench runs
 * each command alone next to the window manager, which maps no such window.
 */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static Atom net_wm_pid;

static int ignore_errors(Display *d, XErrorEvent *e)
{
    (void)d;
    (void)e;
    return 0; /* a window may vanish while we look at it */
}

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* 1: a window of `pid` in the subtree of w; 2: a client window without a pid;
 * 0: neither. */
static int owner_of(Display *d, Window w, pid_t pid, int depth)
{
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char *data = NULL;
    if (XGetWindowProperty(d, w, net_wm_pid, 0, 1, False, XA_CARDINAL, &type, &format, &n,
                           &after, &data) == Success && data) {
        long value = (type == XA_CARDINAL && n == 1) ? *(long *)data : -1;
        XFree(data);
        if (value >= 0)
            return value == pid ? 1 : 0;
    }
    XClassHint hint;
    if (XGetClassHint(d, w, &hint)) {
        XFree(hint.res_name);
        XFree(hint.res_class);
        return 2;
    }
    Window root, parent, *children = NULL;
    unsigned int count = 0;
    int found = 0;
    if (depth > 0 && XQueryTree(d, w, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; i++)
            found = owner_of(d, children[i], pid, depth - 1);
        if (children)
            XFree(children);
    }
    return found;
}

static pid_t spawn(Display *d, char **argv)
{
    fcntl(ConnectionNumber(d), F_SETFD, FD_CLOEXEC);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(2, 1);
        execvp(argv[0], argv);
        perror(argv[0]);
        _exit(127);
    }
    return pid;
}

/* Waits for the map; returns the elapsed ms, or -1. */
static double wait_for_map(Display *d, pid_t pid, double start, double timeout_ms)
{
    struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
    while (now_ms() - start < timeout_ms) {
        while (XPending(d)) {
            XEvent ev;
            XNextEvent(d, &ev);
            int how = ev.type == MapNotify ? owner_of(d, ev.xmap.window, pid, 3) : 0;
            if (how) {
                fprintf(stderr, "waitmap: 0x%lx mapped, matched by %s\n", ev.xmap.window,
                        how == 1 ? "_NET_WM_PID" : "WM_CLASS");
                return now_ms() - start;
            }
        }
        if (waitpid(pid, NULL, WNOHANG) == pid)
            return -1; /* ended before showing anything; reaped here */
        poll(&p, 1, 100);
    }
    return -1;
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: waitmap TIMEOUT_SEC COMMAND [ARG...]\n");
        return 2;
    }
    Display *d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "waitmap: cannot open display\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    net_wm_pid = XInternAtom(d, "_NET_WM_PID", False);
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, False);

    double start = now_ms();
    pid_t pid = spawn(d, argv + 2);
    if (pid < 0) {
        perror("fork");
        return 2;
    }
    double ms = wait_for_map(d, pid, start, atof(argv[1]) * 1e3);
    if (ms < 0)
        printf("%d NA\n", (int)pid);
    else
        printf("%d %.1f\n", (int)pid, ms);
    fflush(stdout);
    XCloseDisplay(d);

    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return 0; /* already reaped above */
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
