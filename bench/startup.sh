#!/usr/bin/env bash
# Start-up benchmark: how soon Vrim Clocks shows something, and how much memory it holds once
# the launcher is up, each figure beside two peers measured the same way in the same run: xclock,
# and the least a Qt 6 Widgets program can show (one window with one line of text, built here
# from Debian's Qt), which is the floor for anything built on the same libraries.
#
#   bench/startup.sh [RUNS] [PATH-TO-vrimclocks]
#
# The table goes to results/startup-latest.md, or to the file STARTUP_REPORT names (bench/all.sh
# keeps its own copy that way).
#
# Reports only; the exit status says whether the measurement could be made, never whether a
# figure met its target.
set -euo pipefail

runs=${1:-5}
program=${2:-${VRIM_PROGRAM:-"$(cd "$(dirname "$0")/.." && pwd)/build/vrimclocks"}}
here=$(cd "$(dirname "$0")" && pwd)
results="$here/results"
data=$(dirname "$program")

[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [RUNS] [PATH-TO-vrimclocks]" >&2; exit 2; }
[ -x "$program" ] || { echo "no program at $program (build it first)" >&2; exit 2; }
for tool in Xvfb xclock xdotool cc c++ pkg-config; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 2; }
done
# The watcher below talks Xlib and the RECORD extension directly (Debian: libx11-dev, libxtst-dev).
for header in Xlib.h extensions/record.h; do
    [ -f "/usr/include/X11/$header" ] || { echo "missing X11/$header: apt-get install libx11-dev libxtst-dev" >&2; exit 2; }
done

work=$(mktemp -d -t vrim-bench.XXXXXX)
xvfb_pid=""
app=""
watcher_pid=""
cleanup() {
    local pid
    # Only the ones still ours: a pid that was stopped earlier may belong to someone else by now.
    for pid in $app $watcher_pid; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
    [ -n "$xvfb_pid" ] && { kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; }
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
die() {
    echo "startup.sh: $*" >&2
    # What the watcher and the program said, so a run that went wrong can be told apart from a
    # watcher that missed something.
    local f
    for f in "$work/run${run:-0}"/*.log "$work/run${run:-0}"/*-out; do
        [ -f "$f" ] && { echo "--- ${f##*/}" >&2; tail -n 20 "$f" >&2; }
    done
    exit 1
}

# --- Two small helpers in C, so the clock readings are taken where they matter and not by bash.

# Reads CLOCK_MONOTONIC as late as it can before handing its process over to the program.
cat >"$work/stampexec.c" <<'EOF'
#include <stdio.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    FILE *out = fopen(argv[1], "w");
    if (!out)
        return 2;
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    fprintf(out, "%lld.%09ld\n", (long long)t.tv_sec, t.tv_nsec);
    fclose(out);
    execvp(argv[2], argv + 2);
    perror(argv[2]);
    return 127;
}
EOF

# Logs, for each top-level window, when the X server mapped it and when it first delivered an
# Expose for it or anything inside it to the program. Maps come from SubstructureNotify on the
# root. Exposures come through the RECORD extension, which sees every event the server delivers
# to any client: selecting Expose on the program's windows ourselves would race the program,
# and xclock maps its window before a watcher could ask, with the Exposes going to a child.
cat >"$work/xmapwatch.c" <<'EOF'
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>
#include <poll.h>
#include <stdio.h>
#include <time.h>

#define MAXWIN 1024

static Display *ctl;
static Window root;
static Window mapped[MAXWIN], exposed[MAXWIN];
static int nmapped, nexposed;

static void stamp(char *buf, size_t size)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    snprintf(buf, size, "%lld.%09ld", (long long)t.tv_sec, t.tv_nsec);
}

static int once(Window *list, int *n, Window w)
{
    for (int i = 0; i < *n; ++i)
        if (list[i] == w)
            return 0;
    if (*n < MAXWIN)
        list[(*n)++] = w;
    return 1;
}

// Windows come and go under us; a vanished one is simply not reported.
static int ignore(Display *d, XErrorEvent *e) { (void)d; (void)e; return 0; }

static Window toplevel(Window w)
{
    for (;;) {
        Window r, parent, *children = NULL;
        unsigned n;
        if (!XQueryTree(ctl, w, &r, &parent, &children, &n))
            return None;
        if (children)
            XFree(children);
        if (parent == root)
            return w;
        if (parent == None)
            return None;
        w = parent;
    }
}

static void delivered(XPointer closure, XRecordInterceptData *data)
{
    (void)closure;
    char when[32];
    stamp(when, sizeof when);
    if (data->category == XRecordFromServer && data->data_len > 0) {
        const xEvent *e = (const xEvent *)data->data;
        if ((e->u.u.type & 0x7f) == Expose) {
            Window top = toplevel(e->u.expose.window);
            if (top != None && once(exposed, &nexposed, top))
                printf("expose %s 0x%lx\n", when, top);
        }
    }
    XRecordFreeData(data);
}

int main(void)
{
    ctl = XOpenDisplay(NULL);
    Display *rec = XOpenDisplay(NULL);
    if (!ctl || !rec) {
        fputs("cannot open the display\n", stderr);
        return 2;
    }
    int major, minor;
    if (!XRecordQueryVersion(ctl, &major, &minor)) {
        fputs("the X server has no RECORD extension\n", stderr);
        return 2;
    }
    XSetErrorHandler(ignore);
    setvbuf(stdout, NULL, _IOLBF, 0);
    root = DefaultRootWindow(ctl);
    XSelectInput(ctl, root, SubstructureNotifyMask);

    unsigned long clients = XRecordAllClients;
    XRecordRange *range = XRecordAllocRange();
    range->delivered_events.first = Expose;
    range->delivered_events.last = Expose;
    XRecordContext context = XRecordCreateContext(ctl, 0, &clients, 1, &range, 1);
    XSync(ctl, False);
    if (!context || !XRecordEnableContextAsync(rec, context, delivered, NULL))
        return 2;
    XRecordProcessReplies(rec);
    XSync(ctl, False);
    puts("ready");

    struct pollfd fds[2] = {{ConnectionNumber(ctl), POLLIN, 0}, {ConnectionNumber(rec), POLLIN, 0}};
    for (;;) {
        while (XPending(ctl)) {
            XEvent e;
            char when[32];
            XNextEvent(ctl, &e);
            stamp(when, sizeof when);
            if (e.type != MapNotify || e.xmap.event != root || !once(mapped, &nmapped, e.xmap.window))
                continue;
            char *name = NULL;
            XFetchName(ctl, e.xmap.window, &name);
            printf("map %s 0x%lx %s\n", when, e.xmap.window, name ? name : "");
            if (name)
                XFree(name);
        }
        XRecordProcessReplies(rec);
        if (XPending(ctl))
            continue;
        if (poll(fds, 2, -1) < 0)
            return 1;
        XRecordProcessReplies(rec);
    }
}
EOF

# The Qt peer: a window of the splash's size with one line of text on white, nothing else.
cat >"$work/qtwindow.cpp" <<'EOF'
#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Vrim Clocks"));
    window.setWindowTitle(QStringLiteral("Qt window"));
    window.setAlignment(Qt::AlignCenter);
    QPalette white = window.palette();
    white.setColor(QPalette::Window, Qt::white);
    window.setPalette(white);
    window.setAutoFillBackground(true);
    window.resize(450, 285);
    window.show();
    return app.exec();
}
EOF

# One copy taken now, so a rebuild during the runs cannot mix two programs in one table.
cp "$program" "$work/vrimclocks"

cc -O2 -o "$work/stampexec" "$work/stampexec.c" || die "could not build stampexec"
cc -O2 -o "$work/xmapwatch" "$work/xmapwatch.c" -lXtst -lX11 || die "could not build xmapwatch"
# shellcheck disable=SC2046 # pkg-config's flags are words
c++ -std=c++17 -O2 -fPIC -o "$work/qtwindow" "$work/qtwindow.cpp" $(pkg-config --cflags --libs Qt6Widgets) ||
    die "could not build the Qt window (Debian: qt6-base-dev)"

# --- Our own X server on whatever display number is free; no window manager, so a map is a map.
# -noreset: between runs no client is left, and a server that resets then drops some of the
# next connections and makes the next program wait for it.
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset 2>/dev/null & echo "pid $!"; wait)
read -r _ xvfb_pid <&3
read -r -t 10 display_number <&3 || die "Xvfb did not start"
export DISPLAY=":$display_number"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
# Qt complains on every start without one; a desktop session always has it.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Polls every 10 ms for up to $1 seconds until the rest of the line succeeds.
within() {
    local limit=$1; shift
    local end=$((SECONDS + limit + 1))
    while ((SECONDS < end)); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.01
    done
    return 1
}
ms_between() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", (b - a) * 1000 }'; }
field() { awk -v k="$2:" '$1 == k { print $2; exit }' "$1"; }

watch_start() { # $1: log file
    "$work/xmapwatch" >"$1" &
    watcher_pid=$!
    within 5 grep -q '^ready' "$1" || die "the window watcher did not start"
}
stop_both() {
    local pid
    for pid in $app $watcher_pid; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
    app=""
    watcher_pid=""
}

# The first top-level the program maps, and when it was mapped and first exposed.
first_map() { awk '$1 == "map" { print $2, $3; exit }' "$1"; }
exposed_at() { awk -v w="$2" '$1 == "expose" && $3 == w { print $2; exit }' "$1"; }
# Mapped and exposed: the later of the two, as the watcher may read them in either order.
ready_at() { awk -v a="$2" -v b="$(exposed_at "$1" "$3")" 'BEGIN { printf "%s\n", (a + 0 > b + 0 ? a : b) }'; }
# Ids of mapped windows with exactly this name, in order.
mapped_named() { awk -v n="$2" '$1 == "map" { name = $0; sub(/^map [^ ]+ [^ ]+ ?/, "", name); if (name == n) print $3 }' "$1"; }
# The same as tests for within, which must look afresh on every try.
has_map() { [ -n "$(first_map "$1")" ]; }
has_expose() { [ -n "$(exposed_at "$1" "$2")" ]; }
has_named() { [ "$(mapped_named "$1" "$2" | wc -l)" -ge "$3" ]; }

memory_of() { # $1: pid -> "rss_kB pss_kB"
    echo "$(field "/proc/$1/status" VmRSS) $(field "/proc/$1/smaps_rollup" Pss)"
}

# A peer started as $2...: sets peer_map, peer_expose, peer_rss and peer_pss; $1 names its files.
peer_run() {
    local name=$1 mapped_at window launched
    shift
    log="$work/run$run/$name-windows.log"
    watch_start "$log"
    launched=$EPOCHREALTIME
    (exec "$work/stampexec" "$work/run$run/$name-start" "$@" >"$work/run$run/$name-out" 2>&1) &
    app=$!
    within 15 has_map "$log" || die "run $run: $name mapped no window"
    read -r mapped_at window <<<"$(first_map "$log")"
    within 5 has_expose "$log" "$window" || die "run $run: $name was never exposed"
    start=$(cat "$work/run$run/$name-start")
    peer_map=$(ms_between "$start" "$mapped_at")
    peer_expose=$(ms_between "$start" "$(ready_at "$log" "$mapped_at" "$window")")
    # Two seconds after its start, by when it has long since drawn itself.
    sleep "$(awk -v s="$launched" -v now="$EPOCHREALTIME" 'BEGIN { d = 2 - (now - s); print (d > 0 ? d : 0) }')"
    read -r peer_rss peer_pss <<<"$(memory_of "$app")"
    stop_both
}

load_before=$(cut -d' ' -f1 /proc/loadavg)
# Vrim Clocks started from $folder, its files named after $1: sets paint_ms (the splash's first
# paint, by its log), map_ms and expose_ms (its first top-level mapped; mapped and exposed), and
# leaves its window log in $log and its pid in $app.
start_vrim() {
    local name=$1 mapped_at window start painted
    log="$work/run$run/$name-windows.log"
    watch_start "$log"
    (cd "$folder" && QT_LOGGING_RULES=vrim.startup.info=true \
        exec "$work/stampexec" "$work/run$run/$name-start" ./vrimclocks >"$work/run$run/$name-out" 2>&1) &
    app=$!
    within 15 grep -q 'splash painted at monotonic' "$work/run$run/$name-out" \
        || die "run $run: no 'splash painted' line from $name: $(head -c 500 "$work/run$run/$name-out")"
    within 15 has_map "$log" || die "run $run: $name mapped no window"
    read -r mapped_at window <<<"$(first_map "$log")"
    within 5 has_expose "$log" "$window" || die "run $run: $name's first window was never exposed"
    start=$(cat "$work/run$run/$name-start")
    painted=$(sed -n 's/.*splash painted at monotonic \([0-9.]*\).*/\1/p' "$work/run$run/$name-out" | head -n1)
    paint_ms=$(ms_between "$start" "$painted")
    map_ms=$(ms_between "$start" "$mapped_at")
    expose_ms=$(ms_between "$start" "$(ready_at "$log" "$mapped_at" "$window")")
}

declare -a a_paint a_expose v_paint v_map v_expose v_rss v_pss x_map x_expose x_rss x_pss q_map q_expose q_rss q_pss

for ((run = 1; run <= runs; run++)); do
    # -- Vrim Clocks, first start in a fresh program folder.
    folder="$work/run$run/Vrim Clocks"
    mkdir -p "$folder"
    cp "$work/vrimclocks" "$folder/"
    for sub in Skins Sounds Helps; do ln -s "$data/$sub" "$folder/$sub"; done
    start_vrim vrim
    v_paint+=("$paint_ms") v_map+=("$map_ms") v_expose+=("$expose_ms")

    # The countdown runs its 12 s; then the advice box (a second "Vrim Clocks") wants Return.
    within 30 has_named "$log" "Vrim Clocks" 2 \
        || die "run $run: the advice box never appeared"
    box=$(mapped_named "$log" "Vrim Clocks" | sed -n 2p)
    launcher=""
    for attempt in 1 2 3 4 5; do
        if ((attempt == 1)); then xdotool key Return; else xdotool windowfocus "$box" key Return || true; fi
        if within 2 has_named "$log" "vRIM's" 1; then
            launcher=$(mapped_named "$log" "vRIM's" | head -n1)
            break
        fi
    done
    [ -n "$launcher" ] || die "run $run: the launcher never appeared after dismissing the box"
    within 5 has_expose "$log" "$launcher" || die "run $run: the launcher was never exposed"
    # Two seconds, as xclock gets below: time for it to paint, so its buffers and glyphs count,
    # and for the program to hand back what the splash and the advice box freed (it does so a
    # second after its windows change). What it holds then is what it keeps.
    sleep 2
    read -r rss pss <<<"$(memory_of "$app")"
    v_rss+=("$rss")
    v_pss+=("$pss")
    settings_files=$(find "$folder/Settings" -type f 2>/dev/null | wc -l)
    [ "$settings_files" -eq 13 ] || echo "note: run $run left $settings_files files in Settings, not 13" >&2
    stop_both

    # -- Vrim Clocks again, as every start after the first: last time's splash is kept, and the
    # X server shows it before Qt is up. The program's first window is that picture.
    start_vrim vrim-again
    a_paint+=("$paint_ms") a_expose+=("$expose_ms")
    stop_both

    # -- The peers, each the same way: same clock before exec, same watcher, memory 2 s after start.
    peer_run xclock xclock
    x_map+=("$peer_map") x_expose+=("$peer_expose") x_rss+=("$peer_rss") x_pss+=("$peer_pss")
    peer_run qtwindow "$work/qtwindow"
    q_map+=("$peer_map") q_expose+=("$peer_expose") q_rss+=("$peer_rss") q_pss+=("$peer_pss")

    echo "run $run/$runs: splash painted ${v_paint[-1]} ms, mapped ${v_map[-1]} ms, the next start's splash" \
        "on the screen ${a_expose[-1]} ms (xclock ${x_map[-1]} ms," \
        "Qt window ${q_map[-1]} ms), RSS $((v_rss[-1] / 1024)) MiB (xclock $((x_rss[-1] / 1024)) MiB," \
        "Qt window $((q_rss[-1] / 1024)) MiB)" >&2
done

# --- Figures.
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { printf "%.1f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
worst() { printf '%s\n' "$@" | sort -g | tail -n1; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }

rows=(
    "Start → splash on the screen: mapped and exposed, every start after the first|$(median "${a_expose[@]}") ms|$(worst "${a_expose[@]}") ms|$(median "${x_expose[@]}") ms|$(worst "${x_expose[@]}") ms|$(median "${q_expose[@]}") ms|$(worst "${q_expose[@]}") ms|≤ 1.5 × xclock"
    "Start → Qt's splash first paint over it (program's log)|$(median "${a_paint[@]}") ms|$(worst "${a_paint[@]}") ms|n/a|n/a|n/a|n/a|"
    "First start → splash first paint (program's log)|$(median "${v_paint[@]}") ms|$(worst "${v_paint[@]}") ms|n/a|n/a|n/a|n/a|≤ 150 ms"
    "First start → first top-level mapped (X server)|$(median "${v_map[@]}") ms|$(worst "${v_map[@]}") ms|$(median "${x_map[@]}") ms|$(worst "${x_map[@]}") ms|$(median "${q_map[@]}") ms|$(worst "${q_map[@]}") ms|"
    "First start → first top-level mapped and exposed|$(median "${v_expose[@]}") ms|$(worst "${v_expose[@]}") ms|$(median "${x_expose[@]}") ms|$(worst "${x_expose[@]}") ms|$(median "${q_expose[@]}") ms|$(worst "${q_expose[@]}") ms|"
    "Resident (VmRSS)|$(mib "$(median "${v_rss[@]}")") MiB|$(mib "$(worst "${v_rss[@]}")") MiB|$(mib "$(median "${x_rss[@]}")") MiB|$(mib "$(worst "${x_rss[@]}")") MiB|$(mib "$(median "${q_rss[@]}")") MiB|$(mib "$(worst "${q_rss[@]}")") MiB|≤ 40 MB"
    "Proportional (PSS)|$(mib "$(median "${v_pss[@]}")") MiB|$(mib "$(worst "${v_pss[@]}")") MiB|$(mib "$(median "${x_pss[@]}")") MiB|$(mib "$(worst "${x_pss[@]}")") MiB|$(mib "$(median "${q_pss[@]}")") MiB|$(mib "$(worst "${q_pss[@]}")") MiB|"
)
header="Figure|vrimclocks median|vrimclocks worst|xclock median|xclock worst|Qt window median|Qt window worst|Target"

qt=$(dpkg-query -W -f '${Version}' libqt6core6 2>/dev/null || echo unknown)
# Other work on the machine moves every figure here; the load says how quiet it was.
about="$runs runs, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores ($(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)), load $load_before → $(cut -d' ' -f1 /proc/loadavg), Qt $qt, Xvfb :$display_number without a window manager"

echo
echo "Vrim Clocks start-up: $about"
echo "Memory: vrimclocks 2 s after the launcher \"vRIM's\" is up; the peers 2 s after their start."
echo
{
    echo "$header"
    for row in "${rows[@]}"; do echo "$row"; done
} | column -t -s '|'

report=${STARTUP_REPORT:-$results/startup-latest.md}
mkdir -p "$(dirname "$report")"
{
    echo "# Vrim Clocks start-up"
    echo
    echo "$about."
    echo
    echo "Times run from the program's exec to the event named. Memory: vrimclocks 2 s after the"
    echo "launcher \"vRIM's\" is mapped and exposed (after the 12 s countdown and the advice box),"
    echo "xclock and the Qt window (one QLabel of the splash's size, built from the same Qt) 2 s after"
    echo "their start. 1 MiB = 1024 kB as /proc counts them. The program logs its"
    echo "first paint as the splash starts painting itself, before its labels lay out their text."
    echo "Each run starts the program twice in a fresh program folder: the first start ever, which"
    echo "writes the settings and keeps the splash's picture, then a second start, on which the X"
    echo "server shows that picture before Qt is up and Qt's splash opens over it."
    echo
    echo "| ${header//|/ | } |"
    echo "|---|---:|---:|---:|---:|---:|---:|---|"
    for row in "${rows[@]}"; do echo "| ${row//|/ | } |"; done
    echo
    echo "## Each run"
    echo
    echo "| Run | again on screen ms | again Qt paint ms | vrim paint ms | vrim map ms | vrim mapped+exposed ms | vrim RSS kB | vrim PSS kB | xclock map ms | xclock mapped+exposed ms | xclock RSS kB | xclock PSS kB | Qt map ms | Qt mapped+exposed ms | Qt RSS kB | Qt PSS kB |"
    echo "|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
    for ((i = 0; i < runs; i++)); do
        echo "| $((i + 1)) | ${a_expose[i]} | ${a_paint[i]} | ${v_paint[i]} | ${v_map[i]} | ${v_expose[i]} | ${v_rss[i]} | ${v_pss[i]} | ${x_map[i]} | ${x_expose[i]} | ${x_rss[i]} | ${x_pss[i]} | ${q_map[i]} | ${q_expose[i]} | ${q_rss[i]} | ${q_pss[i]} |"
    done
} >"$report"
echo
echo "Written to ${report#"$PWD/"}"
