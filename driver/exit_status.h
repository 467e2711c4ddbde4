// The two exit statuses: whether the run got as far as recognising the file.
#pragma once

namespace morlune {

// The variant was recognised; the dump ended, however it ended.
inline constexpr int kExitRecognised = 0;
// The run ended before the variant was known: usage shown, bad option
// letter, output or input not opened, or signature not recognised.
inline constexpr int kExitNotRecognised = 1;

}  // namespace morlune
