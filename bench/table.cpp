// The comparison table of one run: every dg operation beside its Allegro 4
// equivalent, the window beside the back buffer, clearing and flipping beside
// memset and memcpy, and the whole frame in frames per second.
#include "bench.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {
namespace {

struct Result {
    double sum = 0;
    int n = 0;
    double ops() const { return n ? sum / n : 0; }
};
std::map<std::string, Result> results;
std::vector<std::string> order; // dg's benchmarks in the order they were registered

double ops(const std::string &name) {
    auto i = results.find(name);
    return i == results.end() ? 0 : i->second.ops();
}

std::string num(double v) {
    char buf[32];
    if (v <= 0) return "-";
    if (v >= 1e9)
        std::snprintf(buf, sizeof buf, "%.2fG", v / 1e9);
    else if (v >= 1e6)
        std::snprintf(buf, sizeof buf, "%.2fM", v / 1e6);
    else if (v >= 1e3)
        std::snprintf(buf, sizeof buf, "%.2fk", v / 1e3);
    else
        std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

std::string ratio(double a, double b) {
    char buf[32];
    if (a <= 0 || b <= 0) return "-";
    std::snprintf(buf, sizeof buf, "%.2f", a / b);
    return buf;
}

// Goals not met, as "below 1.0" and the like.
void miss(std::string &out, double a, double b, double goal, const char *what) {
    if (a <= 0 || b <= 0 || a / b >= goal) return;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%s < %.1f", out.empty() ? "" : "; ", what, goal);
    out += buf;
}

void row(const std::string &op, const std::string &a, const std::string &b, const std::string &c,
         const std::string &d, const std::string &e, const std::string &f) {
    std::printf("| %-32s | %10s | %10s | %6s | %6s | %s |\n", op.c_str(), a.c_str(), b.c_str(),
                c.c_str(), d.c_str(), (e + f).c_str());
}

} // namespace

void addrow(const std::string &name) { order.push_back(name); }

void addrun(const char *name, double opspersec) {
    Result &r = results[name];
    r.sum += opspersec;
    r.n++;
}

void printtable() {
    std::printf("\n");
    row("operation", "dg ops/s", "peer ops/s", "ratio", "win/bb", "", "below goal");
    std::printf("|%s|%s|%s|%s|%s|%s|\n", std::string(34, '-').c_str(), std::string(12, '-').c_str(),
                std::string(12, '-').c_str(), std::string(8, '-').c_str(),
                std::string(8, '-').c_str(), std::string(12, '-').c_str());
    for (const std::string &name : order) {
        if (!results.count(name)) continue; // not run (--benchmark_filter)
        // dg/<op>/<bb|win>/bai<k>
        std::string rest = name.substr(3);
        size_t b = rest.rfind('/');
        size_t s = rest.rfind('/', b - 1);
        if (b == std::string::npos || s == std::string::npos) continue;
        std::string op = rest.substr(0, s), surf = rest.substr(s + 1, b - s - 1),
                    scale = rest.substr(b + 1);
        double mine = ops(name), peer = ops("allegro/" + op + "/" + scale);
        double onbb = surf == "win" ? ops("dg/" + op + "/bb/" + scale) : 0;
        std::string goals;
        // Spans and outlines are dg_pset after dg_pset: their goal is the peer
        // doing the same per pixel (the row below), not its own one call.
        const bool perpixel = op == "xline100" || op == "box20";
        if (!perpixel) miss(goals, mine, peer, 1.0, "peer");
        if (surf == "win") miss(goals, mine, onbb, 0.8, "win/bb");
        if (op == "frame") miss(goals, mine, 1000, 1.0, "1000 fps");
        row(rest, num(mine), num(peer), ratio(mine, peer), surf == "win" ? ratio(mine, onbb) : "",
            "", goals);
        if (perpixel) {
            double perpixel = ops("allegro/" + op + "/perpixel/" + scale);
            std::string g;
            miss(g, mine, perpixel, 1.0, "per-pixel peer");
            row("  " + rest + " vs per-pixel", num(mine), num(perpixel), ratio(mine, perpixel), "",
                "", g);
        }
        const char *limit = op == "gcls" ? "plain/memset" : op == "flip" ? "plain/memcpy" : nullptr;
        if (limit) {
            double plain = ops(limit);
            std::string g;
            miss(g, mine, plain, 0.9, limit + 6);
            row("  " + rest + " vs " + (limit + 6), num(mine), num(plain), ratio(mine, plain), "",
                "", g);
        }
    }
    std::printf("\nratio: dg / peer (Allegro 4, or memset/memcpy of the same 1280 x 1024 x 4 "
                "bytes); frame: frames per second.\n");
    std::fflush(stdout);
}

} // namespace bench
