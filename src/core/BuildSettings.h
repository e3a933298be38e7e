#pragma once

#include <QString>

namespace zelmora {

// The maker's web host, fixed when the program is built ("www.vandrel.example"): it forms the
// version address, the download link, the web pages and the address printed on paper.
QString webHost();

} // namespace zelmora
