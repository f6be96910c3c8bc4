#pragma once

namespace platform {

// Lets assistive technology see every text box widget through the text box's
// own interface; installAccessibility() installs it.
void installTextBoxAccessibility();

} // namespace platform
