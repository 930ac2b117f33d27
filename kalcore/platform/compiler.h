// Hints to the compiler about which code is hot and which is rare.
#pragma once

// Marks a function that only failures and rare inputs reach, so that the
// compiler keeps it out of the common path.
#if defined(_MSC_VER)
#define KALCORE_RARE_PATH __declspec(noinline)
#else
#define KALCORE_RARE_PATH [[gnu::noinline, gnu::cold]]
#endif

// Marks a function that common paths call rather than take in, so that it
// does not swell the loop around the call; unlike a rare path, it may be
// called often.
#if defined(_MSC_VER)
#define KALCORE_OUT_OF_LINE __declspec(noinline)
#else
#define KALCORE_OUT_OF_LINE [[gnu::noinline]]
#endif

// Marks a small step of the common path that stays inlined into its callers
// whatever the optimiser's size budget decides for the whole library: as a
// call it costs more than its own work.
#if defined(_MSC_VER)
#define KALCORE_HOT_STEP __forceinline
#else
#define KALCORE_HOT_STEP [[gnu::always_inline]] inline
#endif

// The same for a lambda, written after its parameter list.
#if defined(_MSC_VER)
#define KALCORE_HOT_LAMBDA
#else
#define KALCORE_HOT_LAMBDA __attribute__((always_inline))
#endif

// Marks a function of the common path into which every direct call it makes,
// and every call those make, is inlined, so that it runs as one body: the
// validation and conversion exports spend most of their time in one.
#if defined(_MSC_VER)
#define KALCORE_ONE_BODY
#else
#define KALCORE_ONE_BODY [[gnu::flatten]]
#endif
