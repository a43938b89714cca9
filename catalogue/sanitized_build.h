#pragma once

// LOUT_SANITIZED is defined in builds under AddressSanitizer (or another
// sanitizer with a runtime of its own), whose runtime reserves vast address
// space and makes system calls of its own in the reading child.
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer) || __has_feature(thread_sanitizer)
#define LOUT_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define LOUT_SANITIZED 1
#endif
