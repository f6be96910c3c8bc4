#pragma once

namespace platform {

// Lets assistive technology see every text box widget through the text box's
// own interface; installed once, by the first text box built.
void installTextBoxAccessibility();

} // namespace platform
