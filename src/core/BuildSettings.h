#pragma once

#include <QString>

namespace zelmora {

// The maker's web host, fixed when the program is built ("www.vandrel.example"): it forms the
// version address, the download link, the web pages and the address printed on paper.
QString webHost();

// The address of the public archive of all draws that "Aggiorna archivio" downloads, fixed when
// the program is built (ZELMORA_ARCHIVE_URL); aggiornamento.cfg and the environment may name
// another (see ArchiveAddress.h).
QString archiveUrl();

} // namespace zelmora
