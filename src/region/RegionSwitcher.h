#pragma once
#include "platform/FrontEnd.h"
#include "region/RegionTable.h"

namespace vfe {

// "&Change Region": writes the chosen region into the emulator's flash image and
// remembers it per user. The three menu handlers are one procedure over the region table.
class RegionSwitcher {
public:
    explicit RegionSwitcher(FrontEnd& frontEnd) : fe_(frontEnd) {}

    void mnuJapan_Click() { SwitchTo(Region::Japan); }
    void mnuUS_Click() { SwitchTo(Region::US); }
    void mnuEURO_Click() { SwitchTo(Region::Europe); }

    // Check marks first, whatever follows; then the flash image; the setting is saved
    // only once the image holds the new region.
    void SwitchTo(Region region);

private:
    void MoveCheckMarkTo(const RegionRow& chosen);
    bool PatchFlashImage(const RegionRow& chosen);

    FrontEnd& fe_;
};

}  // namespace vfe
