#pragma once

namespace zelmora {

struct Program;

// Asks the program's version server (the maker's) for the newest version. When the server's is
// newer, the new-version window is shown and, once the player closes it, every window is unloaded
// and the program ends through the program's ending: the answer is then false, and start-up goes no
// further. A download that fails is silent; an answer that cannot be read shows the error message;
// start-up then goes on (true).
bool NewVersion(Program &program);

} // namespace zelmora
