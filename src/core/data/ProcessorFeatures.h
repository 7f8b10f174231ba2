#pragma once

namespace tremvix {

// Whether this processor has the AVX2 registers, asked once: the vector kernels built
// for them run only where this holds, and fall back to portable code elsewhere.
inline bool HasAvx2() {
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
}

}  // namespace tremvix
