#pragma once

namespace zelmora {

// Asks the maker's server for the newest version. When the server's is newer, the new-version
// window is shown and, once the player closes it, every window is unloaded and the program
// ends. A download that fails is silent; an answer that cannot be read shows the error
// message and start-up goes on.
void NewVersion();

} // namespace zelmora
