// Removing everything our programs stored.
#include "settings_removal.h"

#include "common/settings_store.h"

namespace vesclean {

Removal removeAllSettings(common::SettingsStore &store)
{
    bool found = false;
    const bool written = store.change([&found](common::IniDocument &doc) {
        found = doc.removeSection(common::kSection);
        return found;
    });
    if (!found)
        return Removal::NothingStored;
    return written ? Removal::Deleted : Removal::Failed;
}

} // namespace vesclean
