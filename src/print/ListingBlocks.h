#pragma once

#include "core/Sistema.h"
#include "print/Printer.h"

namespace zelmora::print {

// The blocks of which the listing page and the prognosis sheet are made. Each draws at the
// place its caller gives, in millimetres, and never starts or ends a page.

// The square as four rows of four two-digit numbers ("0#"): row r stands rowStep x r below Y,
// each number starts where the one before ended plus gap. Restores ScaleMode and FillStyle.
void StampaGriglia(Printer &printer, const Sistema &sistema, float x, float y, float gap,
                   float rowStep, float size);

// The three bet types with the stake of each ("€ #,##0.00"), in columns 20 mm apart: headings
// at Y + 8 in `size` points, stakes one heading line lower in size - 2 points.
void StampaPuntate(Printer &printer, const Sistema &sistema, float x, float y, float size);

// The three bet types with the potential winnings of each ("€ ###,##0.00"), recomputed from
// the stakes first; columns at X, X + step and X + 2 x step, each offset rounded halves to
// even. Restores ScaleMode and FillStyle.
void StampaVincite(Printer &printer, Sistema &sistema, float x, float y, float step, float size);

// The eight plays, one line of four "00" numbers each, 7 mm apart from 7 mm below CurrentY,
// every line starting 15 mm from the left edge.
void StampaGiocate(Printer &printer, const Sistema &sistema);

} // namespace zelmora::print
