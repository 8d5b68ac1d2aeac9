// QC's return documents arrive without amounts, so the sign rule of the value fixing types them
// as receipts and sales ('L', or 'T' for the walk-in customer). A return must stay a return.
#pragma once
#include "converters/converter_dm.h"

namespace bm::converters {

// Puts 'R' back on every purchase and sale return that the prepared QC database holds
// (th_to_title, th_from_title), found by its "TH" number. Reads the source on btQry_Temp_S and
// writes the target on btQry_Temp_D; a statement that fails shows its data-error box and the
// rest goes on, as in the value fixing around it.
void keep_qc_return_types(ConverterDM& dm);

}  // namespace bm::converters
