#pragma once

#include <csignal>

#include <sys/resource.h>

// Runs `body` with the process's file size limit at `bytes`; writes past it fail
// with EFBIG instead of raising SIGXFSZ, as on a disk that has just filled up.
template <typename Body>
void WithFileSizeLimit(rlim_t bytes, Body&& body) {
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limited = old;
    limited.rlim_cur = bytes;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    body();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
}
