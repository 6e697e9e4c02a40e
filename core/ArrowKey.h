#pragma once

namespace pavina::core {

// The four arrow keys as the core knows them; the window turns its own key codes into these.
enum class TArrowKey { Left, Up, Right, Down };

}  // namespace pavina::core
