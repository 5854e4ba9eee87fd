#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "form/Controls.h"
#include "form/Form.h"
#include "platform/ProgramFile.h"
#include "platform/Registry.h"

// "Auto-Start with Windows": one string value under the Run key, named after the
// executable, makes Windows start the program at log-on. The machine-wide key is
// tried first; a user who may not write there gets the value under the user's own
// Run key, so that a checked box always means the program starts.

namespace datrelle {

inline constexpr std::string_view kRunSubKey =
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";
// KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS |
// KEY_NOTIFY | KEY_CREATE_LINK, without the standard rights of KEY_ALL_ACCESS.
inline constexpr std::uint32_t kRunKeyAccess = 0x3F;

// The Run value's data: the executable's full path, quoted when it holds a space, since
// Windows would otherwise try "C:\Program.exe" first for "C:\Program Files\...".
std::string RunValueData(std::string_view folder, std::string_view exeName);

// Sets a string value on an open key: its bytes with the terminating NUL.
RegistryStatus SetRegValue(RegistryKey& key, std::string_view name, std::uint32_t type,
                           std::string_view data);
// Opens the sub-key, sets the value and closes the key again; false when the key cannot
// be opened or the value not written.
bool WriteRegValue(Registry& registry, RegistryRoot root, std::string_view subKey,
                   std::string_view name, std::string_view data, std::uint32_t type);
// Opens the sub-key, deletes the value and closes the key again. Deleting a value that
// does not exist changes nothing.
void DeleteRegValue(Registry& registry, RegistryRoot root, std::string_view subKey,
                    std::string_view name);

class RegStuff {
  public:
    RegStuff(Registry& registry, const ProgramFile& program, const CheckBox& check1,
             const SharedVariables& vars)
        : registry_(registry), program_(program), check1_(check1), vars_(vars) {}

    // Check1's click, also when start-up sets the box: checked adds the value, any
    // other state removes it.
    void OnCheck1Click();

    void AddToRun(std::string_view name);
    // Removes the value from both places it may have been written to.
    void RemoveFromRun(std::string_view name);

  private:
    Registry& registry_;
    const ProgramFile& program_;
    const CheckBox& check1_;
    const SharedVariables& vars_;
};

}  // namespace datrelle
