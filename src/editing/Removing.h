#pragma once

namespace tv {

// Removes the selected song from the open album.
void EditDel_Click();
// Empties the open album.
void EditClear_Click();

} // namespace tv
