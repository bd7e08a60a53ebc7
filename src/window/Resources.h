#pragma once

namespace quiverel {

// Registers the window's images (toolbar buttons, program icon); safe to call more than once.
void initResources();

} // namespace quiverel
