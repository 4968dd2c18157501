// A fuzz target for a reader of outside input. Each target's source defines it with
// ZEN_FUZZ_TARGET(name) { ... }: built for libFuzzer it is the fuzzer's entry point; in the
// ordinary builds it is registered with the replay driver, which runs it over the kept inputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using FuzzFunction = void (*)(const std::uint8_t* data, std::size_t size);

#ifdef ZEN_LIBFUZZER
#define ZEN_FUZZ_TARGET(name)                                                                      \
    static void ZenFuzz_##name(const std::uint8_t* data, std::size_t size);                        \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {            \
        ZenFuzz_##name(data, size);                                                                \
        return 0;                                                                                  \
    }                                                                                              \
    static void ZenFuzz_##name(const std::uint8_t* data, std::size_t size)
#else
bool RegisterFuzzTarget(const char* name, FuzzFunction run);
#define ZEN_FUZZ_TARGET(name)                                                                      \
    static void ZenFuzz_##name(const std::uint8_t* data, std::size_t size);                        \
    static const bool kZenFuzzRegistered_##name = RegisterFuzzTarget(#name, ZenFuzz_##name);       \
    static void ZenFuzz_##name(const std::uint8_t* data, std::size_t size)
#endif

// A property that must hold for every input. A violation aborts, so the fuzzer keeps the input
// as a crash and the replay fails on it.
#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? (void)0 : FuzzCheckFailed(#condition, __FILE__, __LINE__))

[[noreturn]] inline void FuzzCheckFailed(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, what);
    std::abort();
}
