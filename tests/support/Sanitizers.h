// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether this build runs under AddressSanitizer, for the few tests that cannot: it reserves
// terabytes of address space for its shadow memory, so an address-space limit (RLIMIT_AS) makes
// it fail instead of making an allocation throw std::bad_alloc.

#if defined(__SANITIZE_ADDRESS__)
#define TYPORIN_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TYPORIN_ASAN 1
#endif
#endif

#ifndef TYPORIN_ASAN
#define TYPORIN_ASAN 0
#endif

// Skips the calling test under AddressSanitizer, saying why.
#define SKIP_UNDER_ASAN_FOR_ADDRESS_LIMIT()                                                        \
    do {                                                                                           \
        if (TYPORIN_ASAN)                                                                          \
            GTEST_SKIP() << "AddressSanitizer reserves its shadow memory in the address space, "   \
                            "so an address-space limit cannot provoke std::bad_alloc here";        \
    } while (false)
