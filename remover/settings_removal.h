// Removing everything our programs stored: the whole section, whatever the
// spelling of its name, and nothing else.
#pragma once

namespace common {
class SettingsStore;
}

namespace vesclean {

enum class Removal { Deleted, NothingStored, Failed };

Removal removeAllSettings(common::SettingsStore &store);

} // namespace vesclean
