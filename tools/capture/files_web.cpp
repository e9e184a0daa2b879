// In a page: a file is offered as a download; the program is named after
// its page.
#include "capture/capture.h"

#include <emscripten.h>

#include <cstdio>

// (Scripts, which clang-format would take for C++.)
// clang-format off
EM_JS(void, dg_offerdownload, (const char *name, const unsigned char *data, int n), {
    const blob = new Blob([HEAPU8.slice(data, data + n)], {type : "application/octet-stream"});
    const a = document.createElement("a");
    a.href = URL.createObjectURL(blob);
    a.download = UTF8ToString(name);
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 60000);
});

EM_JS(void, dg_pagename, (char *out, int n), {
    let file = decodeURIComponent(location.pathname.split("/").pop());
    if (file.endsWith(".html")) file = file.slice(0, -5);
    stringToUTF8(file || "dg", out, n);
});

// clang-format on

namespace dgtools {

bool fileexists(const std::string &) { return false; }

bool savefile(const std::string &name, const std::vector<unsigned char> &bytes) {
    dg_offerdownload(name.c_str(), bytes.data(), (int)bytes.size());
    std::fprintf(stderr, "dg: %s offered as a download\n", name.c_str());
    return true;
}

std::string programname() {
    char name[256] = "";
    dg_pagename(name, (int)sizeof name);
    return name[0] ? name : "dg";
}

} // namespace dgtools
