#pragma once
// What the processor running the program can do, asked once at start-up, for the passes that
// come in a wider form where it helps.

namespace fw {

#if defined(__x86_64__) && defined(__GNUC__)
/// Whether the processor has AVX: functions built with [[gnu::target("avx")]] may run.
inline const bool ProcessorHasAvx = __builtin_cpu_supports("avx");
#else
inline constexpr bool ProcessorHasAvx = false;
#endif

}  // namespace fw
