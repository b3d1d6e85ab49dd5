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
    // A file that could not be read or locked was never looked into: that
    // is a failure, not an empty store.
    if (!written && !store.lastError().isEmpty())
        return Removal::Failed;
    return found ? Removal::Deleted : Removal::NothingStored;
}

} // namespace vesclean
