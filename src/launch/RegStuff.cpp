#include "launch/RegStuff.h"

namespace datrelle {

std::string RunValueData(std::string_view folder, std::string_view exeName) {
    std::string path(folder);
    // The root folder of a drive already ends in a backslash.
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    path += exeName;
    if (path.find(' ') != std::string::npos) {
        return "\"" + path + "\"";
    }
    return path;
}

RegistryStatus SetRegValue(RegistryKey& key, std::string_view name, std::uint32_t type,
                           std::string_view data) {
    std::string bytes(data);
    if (type == kRegSz) {
        bytes.push_back('\0');
    }
    return key.SetValue(name, type, bytes);
}

bool WriteRegValue(Registry& registry, RegistryRoot root, std::string_view subKey,
                   std::string_view name, std::string_view data, std::uint32_t type) {
    const auto key = registry.OpenKey(root, subKey, kRunKeyAccess);
    return key && SetRegValue(*key, name, type, data) == kRegistrySuccess;
}

void DeleteRegValue(Registry& registry, RegistryRoot root, std::string_view subKey,
                    std::string_view name) {
    if (const auto key = registry.OpenKey(root, subKey, kRunKeyAccess)) {
        // An absent value is the wished-for result already.
        (void)key->DeleteValue(name);
    }
}

void RegStuff::OnCheck1Click() {
    if (check1_.Value() == CheckBox::kChecked) {
        AddToRun(vars_.ExeName);
    } else {
        RemoveFromRun(vars_.ExeName);
    }
}

void RegStuff::AddToRun(std::string_view name) {
    const std::string data = RunValueData(program_.folder, name);
    if (WriteRegValue(registry_, RegistryRoot::LocalMachine, kRunSubKey, name, data, kRegSz)) {
        return;
    }
    // Every user without administrator rights ends here. The user's own Run key may not
    // exist yet in a new profile. Nothing is shown when this fails too: the box keeps
    // the state the user gave it.
    if (const auto key =
            registry_.CreateKey(RegistryRoot::CurrentUser, kRunSubKey, kRunKeyAccess)) {
        (void)SetRegValue(*key, name, kRegSz, data);
    }
}

void RegStuff::RemoveFromRun(std::string_view name) {
    DeleteRegValue(registry_, RegistryRoot::LocalMachine, kRunSubKey, name);
    DeleteRegValue(registry_, RegistryRoot::CurrentUser, kRunSubKey, name);
}

}  // namespace datrelle
