#pragma once

namespace zelmora {

// Asks the maker's server for the newest version. When the server's is newer, the new-version
// window is shown and, once the player closes it, every window is unloaded and the program
// ends: the answer is then false, and start-up goes no further. A download that fails is
// silent; an answer that cannot be read shows the error message; start-up then goes on (true).
bool NewVersion();

} // namespace zelmora
