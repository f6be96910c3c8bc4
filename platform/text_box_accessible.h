#pragma once

namespace platform {

// Lets every text box widget answer assistive technology with its own
// interface; installed once, before the first box is built.
void installTextBoxAccessibility();

} // namespace platform
