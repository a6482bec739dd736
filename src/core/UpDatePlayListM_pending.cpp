// PENDING: placeholder bodies so that everything links; replace, then delete this file.
#include "core/UpDatePlayListM.h"

namespace tv {

void UpDatePlayListM() {}

} // namespace tv
